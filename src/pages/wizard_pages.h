#pragma once
// The scan and clean pages of the wizard.
#include <vector>

#include "pages/services.h"
#include "pages/session.h"
#include "pages/wizard_page.h"

namespace pages {

// Pages 1 to 6 of the wizard (drive selection, scanning, report, clean
// summary, cleaning, finish), in index order, with their templates, made for
// one run mode, given the session they share and the services they call.
std::vector<PageSlot> CreateScanAndCleanPages(Session& session, const Services& services, RunMode mode);

}  // namespace pages
