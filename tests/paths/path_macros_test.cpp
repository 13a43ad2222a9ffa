#include <gtest/gtest.h>

#include <windows.h>

#include "paths/module_paths.h"
#include "paths/path_macros.h"
#include "platform/codepage.h"
#include "support/scratch.h"

namespace {

std::string FolderOf(const std::vector<paths::PathMacro>& macros, const std::string& name) {
    for (const auto& m : macros) {
        if (m.name == name) return m.folder;
    }
    return "(undefined)";
}

TEST(PathMacros, ReplaceTheFirstOccurrenceOfEachMacroIgnoringCase) {
    testsupport::ProgramPlace place("macros");
    const std::string dir = place.Folder();
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    struct Case {
        std::string text, expected;
    } cases[] = {
        {"%modulepath%\\skins", dir + "\\skins"},
        {"%ModulePath%\\a;%ModulePath%\\b", dir + "\\a;%ModulePath%\\b"},
        {"%MODULEPATH%\\Skins\\Blue.UIS", dir + "\\Skins\\Blue.UIS"},
        {"%Desktop%\\x", "%Desktop%\\x"},
        {"%WindowsDirectory%|%Windows%", std::string(windows) + "|" + windows},
        {"no macro at all", "no macro at all"},
        {"", ""},
        {"%ModulePath", "%ModulePath"},
    };
    for (const auto& c : cases) EXPECT_EQ(paths::ExpandPathMacros(c.text), c.expected) << c.text;
}

TEST(PathMacros, LaterMacrosSeeTheTextEarlierOnesLeft) {
    std::vector<paths::PathMacro> macros = {{"%A%", "x%B%y"}, {"%B%", "[b]"}, {"%C%", "%A%"}};
    EXPECT_EQ(paths::ExpandPathMacros("%a%", macros), "x[b]y");
    // %C% comes last, so the %A% it brings stays.
    EXPECT_EQ(paths::ExpandPathMacros("%c%", macros), "%A%");
    EXPECT_EQ(paths::ExpandPathMacros("Pre%B%Post%b%", macros), "Pre[b]Post%b%");
}

TEST(PathMacros, FoldersOfTheRunningSystem) {
    testsupport::ProgramPlace place("macros");
    auto macros = paths::CurrentPathMacros();
    std::vector<std::string> names;
    for (const auto& m : macros) {
        names.push_back(m.name);
        EXPECT_FALSE(m.folder.empty()) << m.name;
        EXPECT_NE(m.folder.back(), '\\') << m.name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"%AppData%", "%CommonAppData%", "%LocalAppData%", "%ModulePath%",
                                               "%Personal%", "%SystemDirectory%", "%TempDirectory%", "%Windows%",
                                               "%WindowsDirectory%"}));
    EXPECT_EQ(FolderOf(macros, "%LocalAppData%"), FolderOf(macros, "%CommonAppData%"));
    EXPECT_NE(FolderOf(macros, "%AppData%"), FolderOf(macros, "%CommonAppData%"));
    EXPECT_EQ(FolderOf(macros, "%Windows%"), FolderOf(macros, "%WindowsDirectory%"));
    EXPECT_EQ(FolderOf(macros, "%ModulePath%"), place.Folder());
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(FolderOf(macros, "%TempDirectory%") + "\\", temp);
}

TEST(PathMacros, WithoutTheShellFolderLibraryOnlyItsMacrosStay) {
    auto macros = paths::CurrentPathMacros("no-such-shell-folder.dll");
    const std::string text = "%Personal%|%AppData%|%CommonAppData%|%LocalAppData%|%SystemDirectory%";
    std::string expanded = paths::ExpandPathMacros(text, macros);
    char system[MAX_PATH] = {};
    ::GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(expanded, std::string("%Personal%|%AppData%|%CommonAppData%|%LocalAppData%|") + system);
    EXPECT_EQ(macros.size(), 5u);
}

}  // namespace
