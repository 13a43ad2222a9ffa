#pragma once
// The thirteen trace switches. Unlike the options dialog's pages, this dialog
// writes the user's switches itself, at once, on OK.
#include "config/settings.h"
#include "ui/dialog.h"

namespace options {

class AdvancedSettingsDialog : public ui::Dialog {
public:
    INT_PTR Run(HWND owner);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Show(config::AdvCleanOptions switches) const;
    config::AdvCleanOptions Read() const;
};

}  // namespace options
