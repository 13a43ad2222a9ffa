// The findings of a scan as they are held: each finding's folder, name and
// path come back as they were added, findings of one folder share it, and
// findings of one "found as" text share its index.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scan/findings.h"

namespace {

struct Added {
    const char* folder;
    const char* name;
    const char* foundAs;
    uint64_t size;
};

TEST(Findings, GiveBackEveryFindingAsAddedWithItsFolderNamePathAndFoundAs) {
    // A folder comes back after a subfolder, as the walk lists them; a file
    // in a drive's root; a size beyond 4 GB.
    const Added added[] = {
        {"d:\\a", "1.tmp", "Temporary file", 1},
        {"d:\\a", "2.bak", "Backup file", 2},
        {"d:\\a\\sub", "3.tmp", "Temporary file", 3},
        {"d:\\a", "4.tmp", "Temporary file", 5ull << 32},
        {"d:", "root.tmp", "Zero Length File (Empty File)", 0},
        {"d:\\a\\sub", "", "Backup file", 6},
    };
    scan::Findings findings;
    for (const Added& a : added) findings.Add(a.folder, a.name, a.foundAs, {a.size, a.size * 10}, 0x20);
    findings.ShrinkToFit();

    ASSERT_EQ(findings.Count(), std::size(added));
    for (size_t i = 0; i < std::size(added); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(findings.Folder(i), added[i].folder);
        EXPECT_EQ(findings.Name(i), added[i].name);
        EXPECT_EQ(findings.Path(i), std::string(added[i].folder) + "\\" + added[i].name);
        EXPECT_EQ(findings.FoundAs(i), added[i].foundAs);
        EXPECT_EQ(findings.Listed(i).size, added[i].size);
        EXPECT_EQ(findings.Listed(i).lastWrite, added[i].size * 10);
        EXPECT_EQ(findings.Attributes(i), 0x20u);
    }
    EXPECT_EQ(findings.FoundAsTexts(), (std::vector<std::string>{"Temporary file", "Backup file",
                                                                 "Zero Length File (Empty File)"}));
    EXPECT_EQ(findings.FoundAsIndex(0), findings.FoundAsIndex(3));
    EXPECT_EQ(findings.FoundAsIndex(1), findings.FoundAsIndex(5));
    EXPECT_NE(findings.FoundAsIndex(0), findings.FoundAsIndex(1));
}

}  // namespace
