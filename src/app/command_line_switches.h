#pragma once
// The command-line switches of a run, as lower-cased tokens, and what they
// mean for the start. Tokens are separated by blanks, "/" and "-"; quotes
// have no meaning.
#include <map>
#include <string>
#include <string_view>

#include "pages/wizard_page.h"

namespace app {

class CommandLineSwitches {
public:
    static CommandLineSwitches Parse(std::string_view commandLine);

    bool Has(std::string_view lowerName) const { return tokens_.count(std::string(lowerName)) != 0; }
    const std::map<std::string, std::string>& Tokens() const { return tokens_; }

private:
    // Lower-cased token to the token as typed.
    std::map<std::string, std::string> tokens_;
};

// How the program starts: "hide" starts the window hidden, "icon" adds the
// tray icon, "auto" runs the pages unattended, "preview" (with or without
// "auto") runs them unattended to a clean that only logs what it would do.
struct StartOptions {
    bool hidden = false;
    bool trayIcon = false;
    pages::RunMode runMode = pages::RunMode::Interactive;

    static StartOptions From(const CommandLineSwitches& switches);
    static StartOptions From(std::string_view commandLine) { return From(CommandLineSwitches::Parse(commandLine)); }
};

}  // namespace app
