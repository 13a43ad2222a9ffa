// The command line: its tokens and what they mean for the start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line_switches.h"

namespace {

using pages::RunMode;

TEST(CommandLineSwitches, SplitsOnBlanksSlashesAndDashes) {
    struct Case {
        const char* line;
        std::vector<std::string> keys;
        bool hidden, trayIcon;
        RunMode runMode;
    } cases[] = {
        {"/hide", {"hide"}, true, false, RunMode::Interactive},
        {"-HIDE", {"hide"}, true, false, RunMode::Interactive},
        {"hide", {"hide"}, true, false, RunMode::Interactive},
        {"/hide/icon/auto", {"auto", "hide", "icon"}, true, true, RunMode::Unattended},
        {"x-auto", {"auto", "x"}, false, false, RunMode::Unattended},
        {"autoclean", {"autoclean"}, false, false, RunMode::Interactive},
        {"\"auto\"", {"\"auto\""}, false, false, RunMode::Interactive},
        {"  //--  ", {}, false, false, RunMode::Interactive},
        {"/Auto /AUTO", {"auto"}, false, false, RunMode::Unattended},
        {"/auto /preview /hide", {"auto", "hide", "preview"}, true, false, RunMode::Preview},
        {"-Preview", {"preview"}, false, false, RunMode::Preview},
        {"/previews", {"previews"}, false, false, RunMode::Interactive},
    };
    for (const auto& c : cases) {
        auto switches = app::CommandLineSwitches::Parse(c.line);
        std::vector<std::string> keys;
        for (const auto& [key, typed] : switches.Tokens()) keys.push_back(key);
        EXPECT_EQ(keys, c.keys) << c.line;
        const app::StartOptions start = app::StartOptions::From(switches);
        EXPECT_EQ(start.hidden, c.hidden) << c.line;
        EXPECT_EQ(start.trayIcon, c.trayIcon) << c.line;
        EXPECT_EQ(start.runMode, c.runMode) << c.line;
    }
    auto repeated = app::CommandLineSwitches::Parse("/Auto /AUTO");
    EXPECT_EQ(repeated.Tokens().at("auto"), "Auto");
    EXPECT_FALSE(app::CommandLineSwitches::Parse("autoclean").Has("auto"));
}

}  // namespace
