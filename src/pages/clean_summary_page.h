#pragma once
// Wizard page 4: what the clean will do (how many ticked findings of the
// session, how they go, which backup and trace switches are on), read
// afresh each time the page is shown or the settings change. Next starts
// the clean.
#include <utility>

#include "pages/services.h"
#include "pages/session.h"
#include "pages/wizard_page.h"
#include "ui/gdi.h"
#include "ui/layout.h"
#include "ui/list_view.h"
#include "ui/row_colors.h"
#include "ui/skinned_controls.h"

namespace pages {

class CleanSummaryPage : public WizardPage {
public:
    CleanSummaryPage(const Session& session, Services services, RunMode mode = RunMode::Interactive)
        : WizardPage(kCleanSummaryPage, mode), session_(session), services_(std::move(services)) {}

    void RefreshSummary();
    // The colours a switch row is drawn with.
    static ui::RowColor RowColorFor(bool enabled);

protected:
    bool OnInit() override;
    void OnActivated() override;
    void OnSettingsChanged() override;
    void OnNext() override;
    void OnBack() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnSize(int width, int height) override;

private:
    const Session& session_;
    ui::ListView list_;
    ui::ImageList images_;
    ui::ListRowColors colors_;
    ui::SkinnedLabel header_;
    ui::SkinnedButton optionsButton_;
    ui::SkinnedButton advancedButton_;
    ui::Layout layout_;
    Services services_;
};

}  // namespace pages
