#include "support/ui/unexpected_services.h"

#include <gtest/gtest.h>

namespace testsupport {

pages::Services UnexpectedServices() {
    pages::Services services;
    services.options = [](HWND, int tab, const ui::FolderBrowser&) -> INT_PTR {
        ADD_FAILURE() << "unexpected options dialog, tab " << tab;
        return IDCANCEL;
    };
    services.advancedSettings = [](HWND) -> INT_PTR {
        ADD_FAILURE() << "unexpected advanced settings";
        return IDCANCEL;
    };
    services.rescueCenter = [](HWND) { ADD_FAILURE() << "unexpected rescue center"; };
    services.browseForFolder = []() -> std::optional<std::string> {
        ADD_FAILURE() << "unexpected folder browser";
        return std::nullopt;
    };
    services.properties = [](HWND, const std::string& path) { ADD_FAILURE() << "unexpected properties " << path; };
    services.showInExplorer = [](const std::string& path) { ADD_FAILURE() << "unexpected explorer " << path; };
    services.openAddress = [](const std::string& address) { ADD_FAILURE() << "unexpected address " << address; };
    services.trackMenu = [](HWND, const std::vector<ui::MenuEntry>&, POINT) {
        ADD_FAILURE() << "unexpected menu";
        return 0;
    };
    return services;
}

}  // namespace testsupport
