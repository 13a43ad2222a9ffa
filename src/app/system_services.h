#pragma once
// The system's services for the pages and the header bar: the real settings
// dialogs, rescue center, folder browser, shell and pop-up menus.
#include "pages/services.h"

namespace app {

pages::Services SystemServices();

}  // namespace app
