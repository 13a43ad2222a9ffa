#pragma once
// A synthetic user profile of a modern PC: the caches of browsers, chat and
// developer tools, graphics drivers and the system, with the files people
// keep right beside them (browser databases, cookies, bookmarks, passwords,
// settings, documents).
#include <string>
#include <vector>

#include "scan/app_folders.h"

namespace testsupport {

struct ProfileFile {
    std::string path;  // below the profile's folder
    bool cache;        // a cache file the shipped rules clean; else never touched
};

// Every file of the profile.
const std::vector<ProfileFile>& SyntheticProfileFiles();

// Lays the files below root, each holding its own path as content.
void LayProfile(const std::string& root, const std::vector<ProfileFile>& files);

// The environment folders of a profile at root: the profile, its
// application-data folders, its documents and its temporary folder.
scan::AppFolders ProfileFolders(const std::string& root);

// The program's own rules file, as the build ships it.
std::string ShippedRulesPath();

}  // namespace testsupport
