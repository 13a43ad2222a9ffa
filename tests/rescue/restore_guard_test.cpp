// A restore writes only at the very place a set's folders spell out, and
// never leaves the file at that place damaged: not through a folder link on
// the way, and not with half a copy when the disk fills.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "clean/backup_layout.h"
#include "paths/path_text.h"
#include "rescue/restore.h"
#include "rescue_fixtures.h"
#include "support/scratch.h"

namespace {

using rescuetest::MakeSet;
using testsupport::ReadFile;

size_t EntriesIn(const std::string& folder) {
    size_t count = 0;
    WIN32_FIND_DATAA entry{};
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        count += std::string(entry.cFileName) != "." && std::string(entry.cFileName) != "..";
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
    return count;
}

// A restore puts a file back only at its own place. Before, a set's file
// replaced another: through e:\fixtures\restorelinks\work, a link to its
// sibling "other", and over "twin.tmp" for a set's "Twin.tmp" (another file
// in a folder that tells case apart), whether moved on the volume of the
// set or copied from another. Now the file stays in the set.
TEST(RestoreGuard, NothingIsWrittenOverAnotherFile) {
    const std::string twins = testsupport::NewScratchFolder("restore-twin", 'e');
    struct Case {
        const char* label;
        std::string fromSet;  // below the set
        std::string other;    // the file that must stay as it is
    } cases[] = {
        {"a folder link on the way", "E\\fixtures\\restorelinks\\work\\a.tmp",
         std::string(testsupport::kFixtures) + "\\restorelinks\\other\\a.tmp"},
        {"a name that differs in case", "E" + twins.substr(2) + "\\Twin.tmp", twins + "\\twin.tmp"},
    };
    testsupport::WriteFile(cases[1].other, "newer");
    for (const Case& c : cases) {
        for (char drive : {'d', 'e'}) {
            SCOPED_TRACE(std::string(c.label) + " " + drive);
            testsupport::ProgramPlace place("restore-other", drive);
            const std::string root = paths::WithoutTrailingBackslash(clean::BackupRoot());
            const std::string set = MakeSet(root, "2006-12-05_10-20-30", {{c.fromSet, "from the set"}});
            const rescue::RestoreOutcome outcome = rescue::RestoreSet(set);
            EXPECT_EQ(outcome.failed, 1u);
            EXPECT_EQ(ReadFile(c.other), "newer");
            EXPECT_EQ(ReadFile(set + "\\" + c.fromSet), "from the set");
            EXPECT_EQ(EntriesIn(paths::FolderPart(c.other)), 1u);
        }
    }
}

// A copy back that fills the disk half way leaves the user's newer file at
// the place as it was, and nothing beside it; the file stays in the set.
// Before, the place held the partial copy.
TEST(RestoreGuard, ACopyBackOnAFullDiskLeavesThePlaceAsItWas) {
    ULARGE_INTEGER free{};
    if (!::GetDiskFreeSpaceExA("f:\\", &free, nullptr, nullptr) || free.QuadPart > 200 * 1024) {
        GTEST_SKIP() << "the test bed could not mount its nearly full drive (mounting needs root)";
    }
    testsupport::ProgramPlace place("restore-full");
    const std::string folder = testsupport::NewScratchFolder("restore-place", 'f');
    testsupport::WriteFile(folder + "\\big.bin", "newer");
    const std::string root = paths::WithoutTrailingBackslash(clean::BackupRoot());
    const std::string relative = "F" + folder.substr(2) + "\\big.bin";
    const std::string set = MakeSet(root, "2006-12-05_10-20-30", {{relative, std::string(300 * 1024, 'b')}});
    const rescue::RestoreOutcome outcome = rescue::RestoreSet(set);
    EXPECT_EQ(outcome.failed, 1u);
    EXPECT_EQ(ReadFile(folder + "\\big.bin"), "newer");
    EXPECT_EQ(EntriesIn(folder), 1u);
    EXPECT_EQ(ReadFile(set + "\\" + relative).size(), 300u * 1024);
}

}  // namespace
