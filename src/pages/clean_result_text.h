#pragma once
// How the finish page tells what a clean did: one line of counts, and the
// files that were not cleaned with their reasons, in the user's language.
#include <string>
#include <vector>

#include "clean/clean_result.h"

namespace pages {

// "Cleaned 4 files, 2.00 MB; 5 could not be cleaned", or the line of a clean
// that cleaned everything, or of a preview.
std::string ResultLine(const clean::CleanResult& result);

struct NotCleanedRow {
    std::string path;
    std::string size;  // in the finish page's units; empty when not listed
    std::string reason;
};

// The files still where they were, in list order.
std::vector<NotCleanedRow> NotCleanedRows(const clean::CleanResult& result);

}  // namespace pages
