#include "pages/report_rows.h"

#include "pages/page_protocol.h"
#include "scan/folder_search.h"

namespace pages {

ui::ListView ReportListBeside(HWND page) {
    HWND report = GetWizardPage(page, kReportPage);
    if (!report) return {};
    return ui::ListView(reinterpret_cast<HWND>(::SendMessageA(report, WM_REPORTPAGE_GETLIST, 0, 0)));
}

int CountTakenRows(const ui::ListView& list) {
    if (!list.Hwnd() || !::IsWindow(list.Hwnd())) return 0;
    int taken = 0;
    for (int row = 0; row < list.Count(); ++row) {
        if (IsTakenRow(list.StateImage(row))) ++taken;
    }
    return taken;
}

clean::CleanList CollectTakenFiles(const ui::ListView& list) {
    clean::CleanList files;
    if (!list.Hwnd() || !::IsWindow(list.Hwnd())) return files;
    // The count is read afresh after every row.
    for (int row = 0; row < list.Count(); ++row) {
        if (!IsTakenRow(list.StateImage(row))) continue;
        if (const auto* found = reinterpret_cast<const scan::FoundFile*>(list.Data(row))) {
            files.emplace_back(found->path, found->listed, found->reason);
        }
    }
    return files;
}

}  // namespace pages
