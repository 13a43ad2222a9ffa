#include "options/junk_type_editor.h"

#include <utility>

#include "options/options_ids.h"
#include "platform/window_text.h"
#include "text/language_table.h"
#include "ui/shell_actions.h"

namespace options {

JunkTypeEditor::JunkTypeEditor(std::string captionKey, std::string fileName, std::string description)
    : captionKey_(std::move(captionKey)), fileName_(std::move(fileName)), description_(std::move(description)) {}

INT_PTR JunkTypeEditor::Run(HWND owner) { return RunModal(owner, IDD_JUNK_TYPE_EDITOR); }

bool JunkTypeEditor::OnInit() {
    // Translate the labels first and fill the edits afterwards: an entry whose
    // text happens to be a language key must stay as the user wrote it.
    text::TranslateWindow(Hwnd());
    ::SetWindowTextA(Hwnd(), text::LookupText(captionKey_).c_str());
    if (!fileName_.empty()) SetItemText(IDC_FILE_NAME, fileName_.c_str());
    if (!description_.empty()) SetItemText(IDC_DESCRIPTION, description_.c_str());
    ui::CenterWindow(Hwnd(), ::GetWindow(Hwnd(), GW_OWNER));
    return true;
}

bool JunkTypeEditor::OnCommand(int id, int, HWND) {
    switch (id) {
        case IDOK: {
            std::string fileName = platform::WindowText(Item(IDC_FILE_NAME));
            if (fileName.empty()) {
                ui::ShowMessage(Hwnd(), "_JunkFileNameIsNULL", MB_OK | MB_ICONEXCLAMATION);
                ::SetFocus(Item(IDC_FILE_NAME));
                return true;
            }
            fileName_ = std::move(fileName);
            description_ = platform::WindowText(Item(IDC_DESCRIPTION));
            End(IDOK);
            return true;
        }
        case IDCANCEL:
            End(IDCANCEL);
            return true;
        default:
            return false;
    }
}

}  // namespace options
