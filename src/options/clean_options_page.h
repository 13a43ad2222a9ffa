#pragma once
// The clean options tab: how found files are disposed of, the target folder
// of the move, the backup switch and the age after which backup sets are
// removed, and the way to the advanced settings.
#include <utility>

#include "options/option_page.h"
#include "ui/folder_browser.h"

namespace options {

class CleanOptionsPage : public OptionPage {
public:
    explicit CleanOptionsPage(ui::FolderBrowser browse) : browse_(std::move(browse)) {}
    void LoadPage(config::ValueSet set) override;
    bool SavePage() override;

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void RecordToControls();
    void ControlsToRecord();
    void ChooseTargetFolder();
    // The days box and its arrows are live while the age rule is on.
    void EnableSetAge() const;

    ui::FolderBrowser browse_;
    config::CleanOptions record_;
};

}  // namespace options
