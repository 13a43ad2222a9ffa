#pragma once
// What the report list's rows mean to the pages after it: every row that is
// not unticked goes to the clean (ticked rows and rows without a check box).
#include <string>
#include <vector>

#include "clean/clean_engine.h"
#include "ui/list_view.h"

namespace pages {

// The report page's list, asked of the report page of the wizard that holds
// page; no window when there is no report page.
ui::ListView ReportListBeside(HWND page);

inline bool IsTakenRow(int stateImage) { return stateImage != 1; }

// The number of rows the clean would take.
int CountTakenRows(const ui::ListView& list);

// The files of the rows the clean takes, in row order, each with the size
// and last-write time its finding was listed with.
clean::CleanList CollectTakenFiles(const ui::ListView& list);

}  // namespace pages
