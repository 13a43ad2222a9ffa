#include "app/system_services.h"

#include "options/options_dialog.h"
#include "rescue/rescue_center.h"
#include "ui/shell_actions.h"

namespace app {

pages::Services SystemServices() {
    pages::Services services;
    services.options = options::ShowOptionsDialog;
    services.advancedSettings = options::ShowAdvancedSettings;
    services.rescueCenter = rescue::ShowRescueCenter;
    services.browseForFolder = ui::SystemFolderBrowser;
    services.properties = ui::ShowProperties;
    services.showInExplorer = ui::ShowInExplorer;
    services.openAddress = ui::OpenWithShell;
    services.trackMenu = ui::TrackPopupMenuAt;
    return services;
}

}  // namespace app
