#include "rescue_fixtures.h"

#include "paths/path_text.h"
#include "platform/codepage.h"
#include "platform/handle.h"
#include "support/scratch.h"

namespace rescuetest {

std::string MakeSet(const std::string& folder, const std::string& name, const std::map<std::string, std::string>& files) {
    std::string set = folder + "\\" + name;
    testsupport::MakeFolders(set);
    for (const auto& [relative, content] : files) {
        std::string path = set + "\\" + relative;
        testsupport::MakeFolders(paths::FolderPart(path));
        testsupport::WriteFile(path, content);
    }
    return set;
}

namespace {

// Lists through the literal path form, so that names such as "a." are seen
// as stored; links are not entered.
void Collect(const std::wstring& folder, std::map<std::string, std::string>& out) {
    WIN32_FIND_DATAW entry{};
    platform::FindHandle listing(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!listing) return;
    do {
        std::wstring name = entry.cFileName, path = folder + L"\\" + name;
        if (name == L"." || name == L"..") continue;
        std::string& value = out[platform::ToNarrow(path.substr(4))];
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            value = testsupport::ReadFile(platform::ToNarrow(path));
        } else if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            Collect(path, out);
        }
    } while (::FindNextFileW(listing.Get(), &entry));
}

std::map<std::string, std::string> SnapshotDrives() {
    std::map<std::string, std::string> all;
    Collect(L"\\\\?\\d:", all);
    Collect(L"\\\\?\\e:", all);
    return all;
}

}  // namespace

DriveChanges::DriveChanges() : before_(SnapshotDrives()) {}

std::vector<std::string> DriveChanges::Now() const {
    auto after = SnapshotDrives();
    std::vector<std::string> changes;
    for (const auto& [path, content] : after) {
        auto it = before_.find(path);
        if (it == before_.end() || it->second != content) changes.push_back((it == before_.end() ? "+" : "~") + path);
    }
    for (const auto& [path, content] : before_) {
        if (!after.count(path)) changes.push_back("-" + path);
    }
    return changes;
}

}  // namespace rescuetest
