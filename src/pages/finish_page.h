#pragma once
// Wizard page 6: the free space of every fixed drive before cleaning
// (measured once, when the page is created) and after (measured each time
// the page is shown). Cancel reads as the way to finish while it is shown.
#include "pages/drive_space.h"
#include "pages/page_services.h"
#include "ui/gdi.h"
#include "ui/layout.h"
#include "ui/list_view.h"
#include "ui/row_colors.h"
#include "ui/skinned_controls.h"
#include "ui/wizard_page.h"

namespace pages {

class FinishPage : public ui::WizardPage {
public:
    enum Command : int { kProperties = 1 };

    explicit FinishPage(FreeSpaceQuery query = QueryFreeSpace) : query_(query) {}
    ~FinishPage() override;

    void SetShellServices(const ShellServices& services) { shell_ = services; }
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

    FreeSpaceQuery query_;
    DriveSpace space_;
    ui::ListView list_;
    ui::ImageList images_;
    ui::ListRowColors colors_;
    ui::SkinnedLabel header_;
    ui::SkinnedButton newTaskButton_;
    ui::Layout layout_;
    ShellServices shell_;
};

}  // namespace pages
