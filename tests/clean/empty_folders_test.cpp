// Removing the folders a clean left empty (application rules that remove
// their own folders).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clean/folder_tree.h"
#include "support/scratch.h"

namespace {

using testsupport::FileExists;
using testsupport::FolderExists;

TEST(RemoveEmptyFolders, RemovesWhatHoldsNothingAndNeverALinkOrWhatItLeadsTo) {
    const std::string root = testsupport::NewScratchFolder("emptied");
    for (const char* folder : {"reports\\one\\deep", "reports\\two", "kept\\empty", "kept\\full"}) {
        testsupport::MakeFolders(root + "\\" + folder);
    }
    testsupport::WriteFile(root + "\\kept\\full\\Report.wer", "still here");
    const std::string farm = std::string(testsupport::kLinkFarm) + "\\tree";
    const size_t removed =
        clean::RemoveEmptyFolders({root + "\\reports", root + "\\kept\\", root + "\\missing", farm, "d:\\", ""});
    EXPECT_EQ(removed, 5u);  // reports, one, deep, two; kept\empty
    EXPECT_FALSE(FolderExists(root + "\\reports"));
    EXPECT_FALSE(FolderExists(root + "\\kept\\empty"));
    EXPECT_TRUE(FileExists(root + "\\kept\\full\\Report.wer"));
    // The links of the farm are neither entered nor removed; what they lead
    // to keeps its file.
    EXPECT_TRUE(FolderExists(farm + "\\link"));
    EXPECT_TRUE(FolderExists(farm + "\\loop"));
    EXPECT_TRUE(FileExists(farm + "\\real\\kept.tmp"));
    EXPECT_TRUE(FileExists(std::string(testsupport::kLinkFarm) + "\\target\\file.tmp"));
    EXPECT_TRUE(FolderExists("d:\\"));
}

}  // namespace
