#include "options/check_list.h"

#include <commctrl.h>

namespace options {

namespace {

void AddFallback(HIMAGELIST images, int iconId) {
    ui::Icon fallback = ui::LoadResourceIcon(iconId);
    if (fallback) {
        ::ImageList_ReplaceIcon(images, -1, fallback.Get());
    } else {
        ::ImageList_SetImageCount(images, 1);  // keep image 0 reserved, blank
    }
}

}  // namespace

void CheckList::Attach(HWND list, int fallbackIconId) {
    view_.Attach(list);
    fallbackIconId_ = fallbackIconId;
    view_.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    ui::ImageList images = ui::CreateSmallImageList();
    if (!images) return;
    AddFallback(images.Get(), fallbackIconId);
    // Without LVS_SHAREIMAGELISTS the control destroys the list with itself.
    view_.GiveSmallImages(std::move(images));
}

void CheckList::Clear() const {
    view_.DeleteAll();
    if (HIMAGELIST images = view_.SmallImages()) {
        ::ImageList_RemoveAll(images);
        AddFallback(images, fallbackIconId_);
    }
}

int CheckList::Insert(int index, const std::string& text, ui::Icon icon, bool checked) const {
    int image = 0;
    if (icon) {
        if (HIMAGELIST images = view_.SmallImages()) {
            int added = ::ImageList_ReplaceIcon(images, -1, icon.Get());
            if (added >= 0) image = added;
        }
    }
    int row = view_.InsertItem(index, text, image);
    if (row >= 0) view_.SetChecked(row, checked);
    return row;
}

void CheckList::SelectRow(int row) const {
    if (row < 0 || row >= Count()) return;
    view_.Select(row);
}

void CheckList::CheckAll(bool checked) const {
    for (int row = 0, count = Count(); row < count; ++row) view_.SetChecked(row, checked);
}

}  // namespace options
