#pragma once
// The command-line switches of this run, as lower-cased tokens. Tokens are
// separated by blanks, "/" and "-"; quotes have no meaning.
#include <map>
#include <string>
#include <string_view>

namespace ui {

class CommandLineSwitches {
public:
    // The switches of this process, set once at start-up.
    static CommandLineSwitches& Instance();

    static CommandLineSwitches Parse(std::string_view commandLine);

    bool Has(std::string_view lowerName) const { return tokens_.count(std::string(lowerName)) != 0; }
    const std::map<std::string, std::string>& Tokens() const { return tokens_; }

private:
    // Lower-cased token to the token as typed.
    std::map<std::string, std::string> tokens_;
};

}  // namespace ui
