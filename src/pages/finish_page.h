#pragma once
// Wizard page 6: what the session's last clean did (a line of counts, the
// bytes it cleaned by type with a bar each, and the files it did not clean
// in a dialog), and the free space of every fixed drive before
// cleaning (measured once, when the page is created) and after (measured
// each time the page is shown). Cancel reads as the way to finish while it
// is shown.
#include <utility>

#include "pages/drive_space.h"
#include "pages/services.h"
#include "pages/session.h"
#include "pages/type_list.h"
#include "pages/wizard_page.h"
#include "ui/gdi.h"
#include "ui/layout.h"
#include "ui/list_view.h"
#include "ui/row_colors.h"
#include "ui/skinned_controls.h"

namespace pages {

class FinishPage : public WizardPage {
public:
    enum Command : int { kProperties = 1 };

    FinishPage(const Session& session, Services services, RunMode mode = RunMode::Interactive,
               FreeSpaceQuery query = platform::FreeSpaceOf)
        : WizardPage(kFinishPage, mode), session_(session), query_(query), services_(std::move(services)) {}

    static ui::RowColor RowColorFor(const SpaceCounts& counts);
    void RunMenuCommand(int command);

protected:
    bool OnInit() override;
    void OnActivated() override;
    void OnDeactivated() override;
    void OnBack() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnSize(int width, int height) override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FillDriveList();
    void ShowMenu(POINT at);
    // The line of the session's last clean and the button of its files not
    // cleaned; both hidden before the first clean.
    void ShowResult();
    void ShowNotCleaned();

    const Session& session_;
    FreeSpaceQuery query_;
    DriveSpace space_;
    ui::ListView list_;
    TypeList types_;  // what the last clean cleaned, by type
    ui::ImageList images_;
    ui::ListRowColors colors_;
    ui::SkinnedLabel header_;
    ui::SkinnedButton newTaskButton_;
    ui::Layout layout_;
    Services services_;
};

}  // namespace pages
