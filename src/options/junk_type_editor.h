#pragma once
// The small modal dialog that adds or edits one junk type: a file name (or
// wildcard pattern) and a description.
#include <string>

#include "ui/dialog.h"

namespace options {

class JunkTypeEditor : public ui::Dialog {
public:
    JunkTypeEditor(std::string captionKey, std::string fileName, std::string description);

    // Runs the editor over owner; IDOK leaves the edited texts behind.
    INT_PTR Run(HWND owner);
    const std::string& FileName() const { return fileName_; }
    const std::string& Description() const { return description_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    std::string captionKey_;
    std::string fileName_;
    std::string description_;
};

}  // namespace options
