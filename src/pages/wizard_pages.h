#pragma once
// The scan and clean pages of the wizard.
#include <vector>

#include "ui/wizard_page.h"

namespace pages {

// Pages 1 to 6 of the wizard (drive selection, scanning, report, clean
// summary, cleaning, finish), in index order, with their templates.
std::vector<ui::PageSlot> CreateScanAndCleanPages();

}  // namespace pages
