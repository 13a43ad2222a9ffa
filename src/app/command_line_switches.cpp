#include "app/command_line_switches.h"

#include "platform/codepage.h"

namespace app {

CommandLineSwitches CommandLineSwitches::Parse(std::string_view commandLine) {
    CommandLineSwitches switches;
    auto add = [&switches](std::string_view token) {
        if (!token.empty()) switches.tokens_.emplace(platform::LowerAnsi(token), std::string(token));
    };
    std::string_view rest = commandLine;
    for (;;) {
        size_t cut = rest.find_first_of(" /-");
        if (cut == std::string_view::npos) break;
        add(rest.substr(0, cut));
        rest.remove_prefix(cut + 1);
    }
    add(rest);
    return switches;
}

StartOptions StartOptions::From(const CommandLineSwitches& switches) {
    StartOptions options;
    options.hidden = switches.Has("hide");
    options.trayIcon = switches.Has("icon");
    options.runMode = switches.Has("auto") ? pages::RunMode::Unattended : pages::RunMode::Interactive;
    // A preview changes nothing, so it may run unattended without "auto" too.
    if (switches.Has("preview")) options.runMode = pages::RunMode::Preview;
    return options;
}

}  // namespace app
