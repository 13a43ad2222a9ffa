// Whether a folder takes new files, on the scratch drives and the sealed
// (read-only mounted) fixture of the test bed.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "paths/folder_access.h"
#include "platform/handle.h"
#include "support/scratch.h"

namespace {

using paths::FolderTakesNewFiles;

// Names in the folder, hidden ones included.
int EntriesIn(const std::string& folder) {
    int count = 0;
    WIN32_FIND_DATAA entry;
    platform::FindHandle find(::FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!find) return -1;
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") ++count;
    } while (::FindNextFileA(find.Get(), &entry));
    return count;
}

TEST(FolderAccess, AnswersForEveryKindOfFolder) {
    const std::string writable = testsupport::NewScratchFolder("writable");
    const std::string drive = "e:";
    struct Case {
        std::string folder;
        bool takesFiles;
    } cases[] = {
        {writable, true},
        {drive, true},                     // a drive root, as the module folder names it
        {writable + "\\missing", false},  // gone since the program started
        {"q:\\no-such-drive", false},
    };
    for (const Case& c : cases) EXPECT_EQ(FolderTakesNewFiles(c.folder), c.takesFiles) << c.folder;
    // The check leaves nothing behind.
    EXPECT_EQ(EntriesIn(writable), 0);
}

TEST(FolderAccess, AReadOnlyMountTakesNoFiles) {
    if (!testsupport::FolderExists(testsupport::kSealedFolder)) {
        GTEST_SKIP() << "the test bed could not mount " << testsupport::kSealedFolder << " (mounting needs root)";
    }
    testsupport::WriteFile(std::string(testsupport::kOpenFolder) + "\\inside.txt", "x");
    EXPECT_TRUE(testsupport::FileExists(std::string(testsupport::kSealedFolder) + "\\inside.txt"));
    EXPECT_FALSE(FolderTakesNewFiles(testsupport::kSealedFolder));
    EXPECT_TRUE(FolderTakesNewFiles(testsupport::kOpenFolder));
}

}  // namespace
