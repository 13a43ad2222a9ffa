#pragma once
// The environment folders that application rules start from
// ("%LocalAppData%\Google\Chrome"), and the folders a rule may reach below
// but never name or hold itself (the profile, the application-data folders,
// the Windows and program folders).
#include <string>
#include <string_view>
#include <vector>

namespace scan {

struct EnvironmentFolder {
    std::string name;                  // with its percent signs; compared ignoring case
    std::vector<std::string> folders;  // what it stands for; more than one for the program folders
    bool base = true;                  // rules may reach below it, never it itself
};

// A rule's folder text with its environment folder put in. The first fixed
// characters are the environment folder (or the drive): the system's own
// arrangement, which may hold links; the rest is the rule's.
struct ExpandedFolder {
    std::string text;
    size_t fixed = 0;
};

class AppFolders {
public:
    // The folders of the running system and user, asked anew.
    static AppFolders OfSystem();

    // Sets (or replaces) what a name stands for. Folders without a trailing
    // backslash; empty ones are dropped.
    void Set(std::string_view name, std::vector<std::string> folders, bool base = true);
    // Another folder a rule may reach below but never name or hold.
    void AddBase(std::string folder);

    // The folders a rule's folder text names: its environment folder
    // replaced by each folder it stands for, or the text itself when it
    // starts with a drive. Empty when it starts with an unknown name, or one
    // this system has no folder for.
    std::vector<ExpandedFolder> Expand(std::string_view text) const;

    // The base folders, lower-cased, without a trailing backslash.
    const std::vector<std::string>& Bases() const { return bases_; }
    // True when folder (lower-cased, no trailing backslash) is a base folder
    // or holds one.
    bool NamesOrHoldsBase(std::string_view loweredFolder) const;

private:
    const EnvironmentFolder* Find(std::string_view name) const;

    std::vector<EnvironmentFolder> names_;
    std::vector<std::string> bases_;
};

}  // namespace scan
