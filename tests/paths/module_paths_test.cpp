// Where the program's own files are looked for, and path text helpers.
#include <gtest/gtest.h>

#include "paths/module_paths.h"
#include "paths/path_text.h"
#include "support/scratch.h"

namespace {

TEST(ModulePaths, FolderAndBaseNameOfTheProgramFile) {
    struct Case {
        const char* module;
        const char* directory;
        const char* baseName;
    };
    const Case cases[] = {
        {"D:\\Tools\\Cleaner\\Cleaner.exe", "D:\\Tools\\Cleaner", "Cleaner"},
        {"C:\\JunkSweep.exe", "C:", "JunkSweep"},
        {"C:x.exe", "C:", "x"},
        {"C:\\My.Tools\\clean.v2.exe", "C:\\My.Tools", "clean.v2"},
        {"C:\\Tools\\noextension", "C:\\Tools", "noextension"},
        {"\\\\server\\share\\run.exe", "\\\\server\\share", "run"},
        {"bare.exe", ":", "bare"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(paths::DirectoryOfModulePath(c.module), c.directory) << c.module;
        EXPECT_EQ(paths::BaseNameOfModulePath(c.module), c.baseName) << c.module;
    }
}

TEST(ModulePaths, FilesBesideTheProgramFollowItsName) {
    std::string real = paths::ModulePath();
    EXPECT_NE(real.find("test_paths.exe"), std::string::npos) << real;
    EXPECT_EQ(paths::BesideModule(".xml"), real.substr(0, real.size() - 4) + ".xml");
    {
        testsupport::ProgramPlace place("beside");
        EXPECT_EQ(paths::ModuleDirectory(), place.Folder());
        EXPECT_EQ(paths::ModuleBaseName(), "JunkSweep");
        EXPECT_EQ(paths::BesideModule(".lng"), place.LanguagePath());
    }
    EXPECT_EQ(paths::ModulePath(), real);
}

TEST(PathText, SplittingAndJoining) {
    struct Case {
        const char* path;
        const char* folder;
        const char* last;
    };
    const Case cases[] = {
        {"C:\\a\\b.txt", "C:\\a", "b.txt"}, {"C:\\b.txt", "C:", "b.txt"}, {"C:b.txt", "C", "b.txt"},
        {"b.txt", "", "b.txt"},             {"C:\\a\\", "C:\\a", ""},    {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(paths::FolderPart(c.path), c.folder) << c.path;
        EXPECT_EQ(paths::LastComponent(c.path), c.last) << c.path;
    }
    EXPECT_EQ(paths::JoinPath("C:\\", "x"), "C:\\x");
    EXPECT_EQ(paths::JoinPath("C:", "x"), "C:\\x");
    EXPECT_EQ(paths::JoinPath("C:\\a\\\\", "x"), "C:\\a\\\\x");  // only one backslash is dropped
    EXPECT_EQ(paths::WithoutTrailingBackslash("C:\\"), "C:");
    EXPECT_EQ(paths::WithoutTrailingBackslash("C:"), "C:");
}

}  // namespace
