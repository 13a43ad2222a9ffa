#include "pages/wizard_pages.h"

// Placeholder until the pages land.
namespace pages {

std::vector<ui::PageSlot> CreateScanAndCleanPages() { return {}; }

}  // namespace pages
