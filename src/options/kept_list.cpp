#include "options/kept_list.h"

#include <commctrl.h>

#include "options/option_rules.h"
#include "options/options_ids.h"
#include "platform/codepage.h"
#include "platform/path_forms.h"
#include "text/language_table.h"
#include "ui/gdi.h"

namespace options {

namespace {

enum KindImage : int { kFileImage = 0, kFolderImage = 1 };

}  // namespace

// A row's data tells its kind: 1 for a folder, 0 for a file.
int KeptList::Append(const config::KeptEntry& entry) const {
    return view_.InsertItem(view_.Count(), entry.path, entry.folder ? kFolderImage : kFileImage, entry.folder ? 1 : 0);
}

void KeptList::Attach(HWND list) {
    view_.Attach(list);
    view_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    view_.InsertColumn(0, text::LookupText("_kpColPath"), 100);
    ui::ImageList images = ui::CreateSmallImageList(2, 0);
    if (!images) return;
    for (int iconId : {IDI_ANY_FILE, IDI_ANY_FOLDER}) {
        ui::Icon icon = ui::LoadResourceIcon(iconId);
        if (!icon || ::ImageList_ReplaceIcon(images.Get(), -1, icon.Get()) < 0) {
            ::ImageList_SetImageCount(images.Get(), static_cast<UINT>(::ImageList_GetImageCount(images.Get()) + 1));
        }
    }
    // Without LVS_SHAREIMAGELISTS the control destroys the list with itself.
    view_.GiveSmallImages(std::move(images));
}

void KeptList::Fill(const std::vector<config::KeptEntry>& entries) const {
    view_.DeleteAll();
    for (const config::KeptEntry& entry : entries) Append(entry);
}

std::vector<config::KeptEntry> KeptList::Rows() const {
    std::vector<config::KeptEntry> rows;
    for (int row = 0, count = view_.Count(); row < count; ++row) {
        rows.push_back({view_.Text(row, 0), view_.Data(row) != 0});
    }
    return rows;
}

bool KeptList::Add(const config::KeptEntry& entry) const {
    if (entry.path.empty()) return false;
    if (entry.folder && platform::IsRootForm(platform::LongForm(entry.path))) return false;
    const std::string wanted = platform::LowerAnsi(entry.path);
    for (int row = 0, count = view_.Count(); row < count; ++row) {
        if ((view_.Data(row) != 0) == entry.folder && platform::LowerAnsi(view_.Text(row, 0)) == wanted) {
            view_.Select(row);
            return true;
        }
    }
    const int row = Append(entry);
    if (row >= 0) view_.Select(row);
    return row >= 0;
}

bool KeptList::RemoveSelected() const {
    const int row = view_.Selected();
    if (row < 0) return false;
    view_.DeleteItem(row);
    const int next = RowAfterDelete(row, view_.Count());
    if (next >= 0) view_.Select(next);
    return true;
}

}  // namespace options
