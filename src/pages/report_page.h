#pragma once
// Wizard page 3: every finding of the last scan as a row with a check box.
// The rows are the session's: the list holds none of them and asks for the
// texts, icons and ticks of the rows it draws, so that it shows a million
// findings as fast as a hundred. A click on a check box (or the space bar)
// ticks or unticks a finding in the session; every column sorts by a click
// on its header, and the clean takes the ticked findings in that order.
// A second view shows the findings by type (what they were found as), one
// row per type with its count, size and a bar, largest first; ticking a
// type ticks all its files. "Always keep" puts a file or its folder on the
// keep list and takes its findings out of the report.
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "pages/report_icons.h"
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

class ReportPage : public WizardPage {
public:
    // Context menu commands.
    enum Command : int {
        kFindInExplorer = 1,
        kProperties = 2,
        kSelectAll = 4,
        kDeselectAll = 5,
        kInvertSelection = 6,
        kKeepFile = 7,
        kKeepFolder = 8,
    };

    enum class View { Files, ByType };

    // The columns, in their order.
    enum Column : int { kNameColumn, kFolderColumn, kReasonColumn, kSizeColumn, kColumnCount };

    ReportPage(Session& session, Services services, RunMode mode = RunMode::Interactive)
        : WizardPage(kReportPage, mode), session_(session), services_(std::move(services)) {}

    // The context menu's items, with or without a selected row.
    static std::vector<ui::MenuEntry> MenuEntries(bool rowSelected);
    void RunMenuCommand(int command);
    // Orders the rows by a column, as a click on its header does: a second
    // click on the same column turns the order round.
    void SortBy(int column);

    const ReportIcons& Icons() const { return icons_; }

    // Shows the findings file by file or by type, as the buttons above the
    // list do. The view stays as chosen for the next scan's findings.
    void ShowView(View view);
    View ShownView() const { return view_; }
    const TypeList& Types() const { return types_; }

protected:
    bool OnInit() override;
    void OnActivated() override;
    void OnNext() override;
    void OnBack() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnSize(int width, int height) override;
    void OnDestroy() override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Shows the session's findings anew when a scan has replaced them.
    void ShowFindings();
    // Points the list at the session's rows as they now stand, unselected.
    void ShowRowsAnew();
    void ShowMenu(POINT at);
    void SetAllTicks(Session::TickChange change);
    void ToggleTick(int row);
    // Ticks every file of a type row, or unticks them when all are ticked.
    void ToggleTypeTick(int row);
    // Puts the selected file, or its folder, on the keep list and takes out
    // of the report every finding that it keeps.
    void AlwaysKeep(bool folder);
    // Shows the totals by type anew (when that view is shown).
    void RefreshTypes();
    void AfterTickChange();
    bool OnTypeListNotify(const NMHDR& header, LRESULT& result);
    HWND ShownList() const;
    // The finding a row shows; false when the row is not one.
    bool FindingOfRow(int row, size_t& finding) const;
    // What the list asks of a row it draws: texts, icon and tick.
    void GiveRow(LVITEMA& item, bool wide);
    // The image of a row's file, asked of the shell once per type, or once
    // per file for files that bring their own icon.
    int RowImage(size_t finding);
    void ShowCount();
    void MarkSortColumn();

    Session& session_;
    ui::ListView list_;
    ReportIcons icons_;
    ui::ListRowColors colors_;
    ui::SkinnedLabel header_;
    ui::SkinnedLabel count_;
    ui::Layout layout_;
    Services services_;
    uint64_t shownVersion_ = 0;                   // the findings the rows stand for
    std::unordered_map<size_t, int> fileImages_;  // finding -> its own icon
    int sortColumn_ = -1;
    bool sortDescending_ = false;
    bool recountPosted_ = false;
    TypeList types_;
    View view_ = View::Files;
};

}  // namespace pages
