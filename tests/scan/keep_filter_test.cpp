// The keep list's filter: kept files and folders match their findings
// however either is spelled, and nothing else.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "scan/keep_filter.h"
#include "support/scratch.h"

namespace {

using testsupport::MakeFolders;
using testsupport::NewScratchFolder;
using testsupport::WriteFile;

std::string ShortPath(const std::string& path) {
    char buffer[MAX_PATH] = {};
    DWORD n = ::GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(buffer, n) : path;
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    return text;
}

TEST(KeepFilter, MatchesKeptFilesAndFoldersByAnySpelling) {
    const std::string root = NewScratchFolder("keepspell");
    const std::string project = root + "\\Project Folder With Long Name";
    MakeFolders(project + "\\build\\deep");
    MakeFolders(root + "\\Project Folder With Long Namesake");
    MakeFolders(root + "\\loose");
    for (const char* file : {"\\build\\a.tmp", "\\build\\deep\\b.tmp", "\\notes.tmp"}) WriteFile(project + file, "x");
    WriteFile(root + "\\loose\\Report Draft.tmp", "x");
    WriteFile(root + "\\loose\\other.tmp", "x");
    WriteFile(root + "\\Project Folder With Long Namesake\\c.tmp", "x");

    // A folder by its short name with a trailing separator, a file in upper
    // case through a "." step.
    scan::KeepFilter filter({{Upper(root) + "\\.\\LOOSE\\report draft.TMP"}, {ShortPath(project + "\\build") + "\\"}});
    ASSERT_NE(ShortPath(project), project) << "the test bed gives long names a short form";
    const struct {
        std::string folder;
        const char* name;
        bool kept;
    } cases[] = {
        {project + "\\build", "a.tmp", true},
        {project + "\\build\\deep", "b.tmp", true},
        {project, "notes.tmp", false},                                   // above the kept folder
        {root + "\\Project Folder With Long Namesake", "c.tmp", false},  // a name that starts alike
        {root + "\\loose", "Report Draft.tmp", true},
        {root + "\\loose", "report draft.tmp ", true},  // a trailing blank the file system ignores
        {root + "\\loose", "other.tmp", false},
        {project + "\\build", "a.tmp", true},  // the same folder again, after others
    };
    for (const auto& c : cases) EXPECT_EQ(filter.Keeps(c.folder, c.name), c.kept) << c.folder << "\\" << c.name;
}

// e:\fixtures\linkfarm\tree\link is a link to ..\target, which holds file.tmp.
TEST(KeepFilter, SeesThroughLinksOnTheWay) {
    const std::string farm = testsupport::kLinkFarm;
    const struct {
        scan::KeepPaths kept;
        std::string folder;
        bool kept_;
    } cases[] = {
        {{{farm + "\\tree\\link\\file.tmp"}, {}}, farm + "\\target", true},
        {{{farm + "\\target\\file.tmp"}, {}}, farm + "\\tree\\link", true},
        {{{}, {farm + "\\tree\\link"}}, farm + "\\target", true},
        {{{}, {farm + "\\target"}}, farm + "\\tree\\link", true},
        {{{}, {farm + "\\tree\\real"}}, farm + "\\target", false},
    };
    for (const auto& c : cases) {
        scan::KeepFilter filter(c.kept);
        EXPECT_EQ(filter.Keeps(c.folder, "file.tmp"), c.kept_) << c.folder;
    }
}

TEST(KeepFilter, AWholeDriveOrAnEmptyListKeepsNothing) {
    const std::string root = NewScratchFolder("keepnone");
    WriteFile(root + "\\a.tmp", "x");
    for (const scan::KeepPaths& kept : {scan::KeepPaths{}, scan::KeepPaths{{}, {"d:\\"}},
                                        scan::KeepPaths{{""}, {""}}}) {
        scan::KeepFilter filter(kept);
        EXPECT_TRUE(filter.Empty());
        EXPECT_FALSE(filter.Keeps(root, "a.tmp"));
    }
}

}  // namespace
