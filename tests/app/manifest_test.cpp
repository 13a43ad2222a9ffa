// The program's manifest, as the system applies it: this test program links
// the same resources, manifest included, as JunkSweep.exe.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <string>

#include "platform/handle.h"

namespace {

// Where the common controls come from when loaded by name, which goes
// through the process's activation context: version 6 is a side-by-side
// assembly (Wine and Windows both report 5.x from the DLL itself).
std::string CommonControlsPath() {
    platform::LoadedModule comctl(::LoadLibraryA("comctl32.dll"));
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(comctl.Get(), path, MAX_PATH);
    std::string lower = path;
    for (char& c : lower) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return lower;
}

TEST(Manifest, GivesUtf8SystemDpiAndCommonControls6) {
    // Narrow functions take UTF-8, so every file name reaches the program.
    EXPECT_EQ(::GetACP(), 65001u);
    // Aware of the system's DPI, so the system does not stretch the windows.
    EXPECT_TRUE(::IsProcessDPIAware());
    // The themed common controls of version 6.
    const std::string comctl = CommonControlsPath();
    EXPECT_NE(comctl.find("\\winsxs\\"), std::string::npos) << comctl;
    EXPECT_NE(comctl.find("common-controls_6595b64144ccf1df_6."), std::string::npos) << comctl;
}

}  // namespace
