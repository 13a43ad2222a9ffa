#pragma once
// Wizard page 3: every finding of the last scan as a row with a check box.
// The page owns the findings; each row carries the index of its finding and
// asks for its texts when it is drawn. The clean takes the rows that are not
// unticked. Every column sorts by a click on its header.
#include <unordered_map>
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

    // The columns, in their order.
    enum Column : int { kNameColumn, kFolderColumn, kReasonColumn, kSizeColumn, kColumnCount };

    explicit ReportPage(Services services, RunMode mode = RunMode::Interactive)
        : WizardPage(kReportPage, mode), services_(std::move(services)) {}

    // Replaces the rows by one ticked row per finding (user-interface
    // thread). The rvalue form takes the findings over.
    void Fill(const std::vector<scan::FoundFile>& findings);
    void Fill(std::vector<scan::FoundFile>&& findings);
    // The context menu's items, with or without a selected row.
    static std::vector<ui::MenuEntry> MenuEntries(bool rowSelected);
    void RunMenuCommand(int command);
    // Orders the rows by a column, as a click on its header does: a second
    // click on the same column turns the order round.
    void SortBy(int column);

    // The findings the page owns now.
    size_t OwnedFindings() const { return findings_.size(); }
    const std::vector<scan::FoundFile>* Findings() const { return &findings_; }
    const ReportIcons& Icons() const { return icons_; }

protected:
    bool OnInit() override;
    void OnActivated() override;
    void OnNext() override;
    void OnBack() override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnSize(int width, int height) override;
    void OnDestroy() override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ShowRows();
    void ShowMenu(POINT at);
    bool ScanBusy() const;
    void SetAllChecks(int how);
    const scan::FoundFile* FindingOfRow(int row) const;
    const scan::FoundFile* SelectedFinding() const;
    // The text of a row's column, written into the list's buffer.
    void GiveText(NMHDR& header);
    // The image of a row whose file brings its own icon, asked for once.
    int RowImage(int row);
    void NoteCheckChange(const NMLISTVIEW& change);
    void ShowCount();
    void MarkSortColumn();

    ui::ListView list_;
    ReportIcons icons_;
    ui::ListRowColors colors_;
    ui::SkinnedLabel header_;
    ui::SkinnedLabel count_;
    ui::Layout layout_;
    Services services_;
    std::vector<scan::FoundFile> findings_;
    std::unordered_map<size_t, int> fileImages_;  // finding index -> its own icon
    int sortColumn_ = -1;
    bool sortDescending_ = false;
    bool recountPosted_ = false;
    std::string textBuffer_;  // the last text given to the list
};

}  // namespace pages
