#include "pages/report_rows.h"

#include "pages/page_messages.h"
#include "pages/page_protocol.h"

namespace pages {

const scan::FoundFile* ReportRows::FindingOf(int row) const {
    if (!findings || row < 0) return nullptr;
    const auto index = static_cast<size_t>(list.Data(row));
    return index < findings->size() ? &(*findings)[index] : nullptr;
}

ReportRows ReportRowsBeside(HWND page) {
    HWND report = GetWizardPage(page, kReportPage);
    if (!report) return {};
    return {ui::ListView(reinterpret_cast<HWND>(::SendMessageA(report, WM_REPORTPAGE_GETLIST, 0, 0))),
            reinterpret_cast<const std::vector<scan::FoundFile>*>(::SendMessageA(report, WM_REPORTPAGE_GETROWS, 0, 0))};
}

TakenTotals CountTaken(const ReportRows& report) {
    TakenTotals totals;
    if (!report.Valid()) return totals;
    for (int row = 0; row < report.list.Count(); ++row) {
        if (!IsTakenRow(report.list.StateImage(row))) continue;
        ++totals.files;
        if (const scan::FoundFile* found = report.FindingOf(row)) totals.bytes += found->listed.size;
    }
    return totals;
}

clean::CleanList CollectTakenFiles(const ReportRows& report) {
    clean::CleanList files;
    if (!report.Valid()) return files;
    // The count is read afresh after every row.
    for (int row = 0; row < report.list.Count(); ++row) {
        if (!IsTakenRow(report.list.StateImage(row))) continue;
        if (const scan::FoundFile* found = report.FindingOf(row)) {
            files.emplace_back(found->path, found->listed, found->reason);
        }
    }
    return files;
}

}  // namespace pages
