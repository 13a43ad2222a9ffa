#pragma once
// Backup sets and drive snapshots for the rescue tests.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace rescuetest {

// Makes folder\name with the files (path below the set -> content); returns the set's path.
std::string MakeSet(const std::string& folder, const std::string& name,
                    const std::map<std::string, std::string>& files = {});

// What changed on d: and e: since construction: "+path", "-path", "~path".
class DriveChanges {
public:
    DriveChanges();
    std::vector<std::string> Now() const;

private:
    std::map<std::string, std::string> before_;
};

}  // namespace rescuetest
