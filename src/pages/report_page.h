#pragma once
// Wizard page 3: every finding of the last scan as a row with a check box.
// Each row owns a copy of its finding; the clean takes the rows that are
// not unticked.
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "pages/report_icons.h"
#include "pages/services.h"
#include "pages/wizard_page.h"
#include "scan/folder_search.h"
#include "ui/gdi.h"
#include "ui/layout.h"
#include "ui/list_view.h"
#include "ui/row_colors.h"
#include "ui/skinned_controls.h"

namespace pages {

class ReportPage : public WizardPage {
public:
    // Context menu commands.
    enum Command : int {
        kFindInExplorer = 1,
        kProperties = 2,
        kSelectAll = 4,
        kDeselectAll = 5,
        kInvertSelection = 6,
    };

    explicit ReportPage(Services services, RunMode mode = RunMode::Interactive)
        : WizardPage(kReportPage, mode), services_(std::move(services)) {}
    ~ReportPage() override;


    // Replaces the rows by one ticked row per finding (user-interface thread).
    void Fill(const std::vector<scan::FoundFile>& findings);
    // The context menu's items, with or without a selected row.
    static std::vector<ui::MenuEntry> MenuEntries(bool rowSelected);
    void RunMenuCommand(int command);

    // The findings the rows own now.
    size_t OwnedFindings() const { return owned_.size(); }
    const ReportIcons& Icons() const { return icons_; }

protected:
    bool OnInit() override;
    void OnActivated() override;
    void OnNext() override;
    void OnBack() override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnSize(int width, int height) override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ShowMenu(POINT at);
    bool ScanBusy() const;
    void SetAllChecks(int how);
    const scan::FoundFile* SelectedFinding() const;
    void ReleaseRow(LPARAM data);
    // The image of a row whose file brings its own icon, asked for once.
    int RowImage(int row);

    ui::ListView list_;
    ReportIcons icons_;
    ui::ListRowColors colors_;
    ui::SkinnedLabel header_;
    ui::SkinnedLabel count_;
    ui::Layout layout_;
    Services services_;
    std::unordered_set<scan::FoundFile*> owned_;
    std::unordered_map<const scan::FoundFile*, int> fileImages_;
};

}  // namespace pages
