// How long the program takes from start to end when it has nothing to do:
// "JunkSweep.exe /auto /hide" on the shipped settings (nothing selected, no
// trace cleaner on), from the two places a Windows user has it:
//   installed  where the installer puts it, %LOCALAPPDATA%\Programs\JunkSweep
//              on the system drive (the same files the installer writes)
//   unzipped   a folder on another drive, as from the zip
// The runs alternate between the two places, in turn first, after one
// warm-up run each.
// Prints on stdout:
//   startup.installed_ms   median wall time of a run from the installed place
//   startup.unzipped_ms    median wall time of a run from the unzipped place
//   startup.ratio          installed / unzipped
// Everything else goes to stderr.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "paths/module_paths.h"
#include "platform/handle.h"

namespace {

constexpr int kRuns = 15;
constexpr DWORD kRunTimeoutMs = 60 * 1000;
constexpr const char* kUnzipped = "e:\\Unzipped\\JunkSweep";
const char* const kProgramFiles[] = {"JunkSweep.exe", "JunkSweep.lng", "JunkSweep.xml", "common.xml"};

std::string InstalledFolder() {
    char localAppData[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, localAppData))) return {};
    return std::string(localAppData) + "\\Programs\\JunkSweep";
}

bool PlaceProgram(const std::string& folder) {
    bench::MakeFolders(folder);
    for (const char* name : kProgramFiles) {
        const std::string from = paths::ModuleDirectory() + "\\" + name;
        if (!::CopyFileA(from.c_str(), (folder + "\\" + name).c_str(), FALSE)) {
            std::fprintf(stderr, "cannot copy %s to %s\n", from.c_str(), folder.c_str());
            return false;
        }
    }
    return true;
}

void RemoveProgram(const std::string& folder) {
    for (const char* name : kProgramFiles) ::DeleteFileA((folder + "\\" + name).c_str());
    ::RemoveDirectoryA(folder.c_str());
}

// Seconds of one run, or a negative value when it failed or did not end
// normally.
double TimeRun(const std::string& folder) {
    std::string commandLine = "\"" + folder + "\\JunkSweep.exe\" /auto /hide";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    auto start = bench::Clock::now();
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &info)) {
        return -1;
    }
    platform::UniqueHandle process(info.hProcess), thread(info.hThread);
    if (::WaitForSingleObject(process.Get(), kRunTimeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.Get(), 99);
        return -1;
    }
    const double seconds = bench::SecondsSince(start);
    DWORD code = 0;
    ::GetExitCodeProcess(process.Get(), &code);
    return code == 2 ? seconds : -1;
}

}  // namespace

int main() {
    const std::string installed = InstalledFolder();
    if (installed.empty() || !PlaceProgram(installed) || !PlaceProgram(kUnzipped)) return 1;
    std::vector<double> fromInstalled, fromUnzipped;
    bool ok = TimeRun(installed) >= 0 && TimeRun(kUnzipped) >= 0;
    for (int run = 0; ok && run < kRuns; ++run) {
        // Each place goes first in every other round, so that neither gains
        // from the other's warming the system up.
        double a = 0, b = 0;
        if (run % 2 == 0) {
            a = TimeRun(installed);
            b = TimeRun(kUnzipped);
        } else {
            b = TimeRun(kUnzipped);
            a = TimeRun(installed);
        }
        ok = a >= 0 && b >= 0;
        fromInstalled.push_back(a);
        fromUnzipped.push_back(b);
    }
    // The installed place is outside the scratch drives: leave nothing there.
    RemoveProgram(installed);
    if (!ok) {
        std::fprintf(stderr, "a run failed or did not end with exit code 2\n");
        return 1;
    }
    const double a = bench::Median(fromInstalled) * 1000.0, b = bench::Median(fromUnzipped) * 1000.0;
    std::fprintf(stderr, "%d runs from %s and from %s\n", kRuns, installed.c_str(), kUnzipped);
    std::printf("startup.installed_ms %.0f\n", a);
    std::printf("startup.unzipped_ms %.0f\n", b);
    std::printf("startup.ratio %.2f\n", a / b);
    return 0;
}
