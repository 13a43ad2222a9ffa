// What one unattended run of the whole program costs.
//
// Lays a tree of 100,000 files in 2,000 folders on the scratch drive d: (a
// fifth of the names junk under the factory junk types), installs
// JunkSweep.exe and its files on e:, stores the tree as the selection with
// recycling and backup on, and times "JunkSweep.exe /auto /hide" from start
// to exit: scan, report, backup, recycle, finish. The child's peak memory is
// sampled while it runs. Prints on stdout:
//   auto.seconds   wall time of the run
//   auto.peak_mb   peak working set of the program, in MiB
//   auto.ratio     run time / time of a bare FindFirstFileA walk of the tree
// Everything else goes to stderr.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>

#include "bench_support.h"
#include "config/config_document.h"
#include "config/settings_paths.h"
#include "paths/module_paths.h"
#include "platform/codepage.h"
#include "platform/com.h"
#include "platform/handle.h"

namespace {

constexpr const char* kTree = "d:\\autobench";
constexpr const char* kProgramFolder = "e:\\AutoBench";
constexpr DWORD kRunTimeoutMs = 60 * 60 * 1000;

const char* const kPlainExtensions[] = {".txt", ".doc", ".jpg", ".png", ".dll", ".exe", ".html", ".cpp",
                                        ".h",   ".pdf", ".xml", ".dat", ".ini", ".mp3", ".xls", ".zip"};
// Checked factory junk types, as names: "*" becomes a stem, "?" a digit.
const char* const kJunkPatterns[] = {"*.tmp", "*.temp", "*._mp", "*.~mp", "*.$$$", "*.bak", "*.wbk", "*.xlk",
                                     "*.~*",  "*~",     "*.swp", "file????.chk", "*.gid", "*.fts", "*.ftg",
                                     "thumbs.db", "*.dmp"};

// Returns the number of junk files laid.
int LayTree() {
    std::mt19937 random(20061207);
    int junk = 0;
    bench::LayFolderTree(kTree, [&](const std::string& leafPath) {
        std::set<std::string> names;
        for (int i = 0; i < bench::kFilesPerLeaf; ++i) {
            // Star stems carry the file's index: unique within the folder.
            const std::string stem = "f" + std::to_string(i) + "_";
            std::string name;
            if (random() % 5 == 0) {
                name = bench::NameFor(kJunkPatterns[random() % std::size(kJunkPatterns)], stem, random);
                // Names without a star can come twice in a folder.
                if (!names.insert(name).second) name = bench::NameFor("*.tmp", stem, random);
                ++junk;
            } else {
                name = "file" + std::to_string(i) + "_" + std::to_string(random() % 100000) +
                       kPlainExtensions[random() % std::size(kPlainExtensions)];
            }
            bench::WriteSmallFile(leafPath + "\\" + name, std::string(100, 'b'));
        }
    });
    return junk;
}

long long Walk(const std::string& folder) {
    long long files = 0;
    WIN32_FIND_DATAA entry;
    platform::FindHandle find(::FindFirstFileA((folder + "\\*.*").c_str(), &entry));
    if (!find) return 0;
    do {
        if (entry.cFileName[0] == '.' && (!entry.cFileName[1] || (entry.cFileName[1] == '.' && !entry.cFileName[2]))) {
            continue;
        }
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            files += Walk(folder + "\\" + entry.cFileName);
        } else {
            ++files;
        }
    } while (::FindNextFileA(find.Get(), &entry));
    return files;
}

bool InstallProgram() {
    ::CreateDirectoryA(kProgramFolder, nullptr);
    for (const char* name : {"JunkSweep.exe", "JunkSweep.lng", "JunkSweep.xml", "common.xml"}) {
        std::string from = paths::ModuleDirectory() + "\\" + name;
        if (!::CopyFileA(from.c_str(), (std::string(kProgramFolder) + "\\" + name).c_str(), FALSE)) {
            std::fprintf(stderr, "cannot copy %s\n", from.c_str());
            return false;
        }
    }
    config::ConfigDocument doc;
    if (!doc.Open(std::string(kProgramFolder) + "\\JunkSweep.xml")) return false;
    namespace path = config::path;
    doc.SetAttribute(path::kClean, "custom", 0);
    doc.SetAttribute(path::kMoveToRecycle, "custom", 1);
    doc.SetAttribute(path::kMoveToFolder, "custom", 0);
    doc.SetAttribute(path::kBackup, "custom", 1);
    for (const char* trace : path::kAdvClean) doc.SetAttribute(trace, "custom", 0);
    doc.AppendElement(doc.SelectSingleNode(path::kSelectDrive), "PathItem", "",
                      {{L"name", platform::ToWide(kTree)}});
    return doc.Save();
}

struct RunResult {
    double seconds = 0;
    DWORD exitCode = 0;
    SIZE_T peakWorkingSet = 0;
};

bool RunProgram(RunResult& result) {
    std::string commandLine = std::string("\"") + kProgramFolder + "\\JunkSweep.exe\" /auto /hide";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    auto start = bench::Clock::now();
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, kProgramFolder, &startup,
                          &info)) {
        return false;
    }
    platform::UniqueHandle process(info.hProcess), thread(info.hThread);
    // The peak only grows; sample it until the end, the last reading counts.
    DWORD waited = 0;
    for (;;) {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (::GetProcessMemoryInfo(process.Get(), &counters, sizeof counters)) {
            result.peakWorkingSet = std::max(result.peakWorkingSet, counters.PeakWorkingSetSize);
        }
        if (::WaitForSingleObject(process.Get(), 100) == WAIT_OBJECT_0) break;
        waited += 100;
        if (waited > kRunTimeoutMs) {
            ::TerminateProcess(process.Get(), 99);
            return false;
        }
    }
    result.seconds = bench::SecondsSince(start);
    ::GetExitCodeProcess(process.Get(), &result.exitCode);
    return true;
}

}  // namespace

int main() {
    platform::ComApartment com;
    auto layStart = bench::Clock::now();
    int junk = LayTree();
    std::fprintf(stderr, "tree laid in %.1f s: %d junk files\n", bench::SecondsSince(layStart), junk);
    if (!InstallProgram()) return 1;

    // The bare walk, warmed up, best of three.
    long long files = Walk(kTree);
    double walk = 1e30;
    for (int round = 0; round < 3; ++round) walk = std::min(walk, bench::Time([&] { files = Walk(kTree); }));
    std::fprintf(stderr, "bare walk: %lld files in %.3f s\n", files, walk);

    RunResult run;
    if (!RunProgram(run)) {
        std::fprintf(stderr, "the run did not finish\n");
        return 1;
    }
    long long left = Walk(kTree);
    std::fprintf(stderr, "exit code %lu, %lld files left of %lld (%d junk)\n", run.exitCode, left, files, junk);
    if (run.exitCode != 2 || left != files - junk) {
        std::fprintf(stderr, "the run did not clean what it should\n");
        return 1;
    }
    std::printf("auto.seconds %.2f\n", run.seconds);
    std::printf("auto.peak_mb %.1f\n", static_cast<double>(run.peakWorkingSet) / (1024.0 * 1024.0));
    std::printf("auto.ratio %.1f\n", run.seconds / walk);
    return 0;
}
