#pragma once
// What the report list's rows mean to the pages after it: every row that is
// not unticked goes to the clean (ticked rows and rows without a check box).
// The report page owns the findings; each row's data is the index of its
// finding.
#include <cstdint>
#include <string>
#include <vector>

#include "clean/clean_engine.h"
#include "scan/folder_search.h"
#include "ui/list_view.h"

namespace pages {

struct ReportRows {
    ui::ListView list;
    const std::vector<scan::FoundFile>* findings = nullptr;

    bool Valid() const { return list.Hwnd() && ::IsWindow(list.Hwnd()) && findings; }
    // The finding a row stands for; null when there is none.
    const scan::FoundFile* FindingOf(int row) const;
};

// The report of the wizard that holds page; not Valid when there is none.
ReportRows ReportRowsBeside(HWND page);

inline bool IsTakenRow(int stateImage) { return stateImage != 1; }

struct TakenTotals {
    int files = 0;
    uint64_t bytes = 0;
};

// The number and the listed size of the files the clean would take.
TakenTotals CountTaken(const ReportRows& report);

// The files of the rows the clean takes, in row order, each with the size
// and last-write time its finding was listed with, and its reason.
clean::CleanList CollectTakenFiles(const ReportRows& report);

}  // namespace pages
