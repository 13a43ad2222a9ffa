// What one unattended run of the whole program costs, against the floor of
// the platform.
//
// Lays a tree of 100,000 files in 2,000 folders on the scratch drive d: (a
// fifth of the names junk under the factory junk types), installs
// JunkSweep.exe and its files on e:, stores the tree as the selection with
// delete on (no backup, no trace cleaners) and times
// "JunkSweep.exe /auto /hide" from start to exit: scan, report, delete,
// finish. The child's peak memory is sampled while it runs. In the same run
// it times the floor: the program started and ended with an empty selection
// and nothing switched on, then a bare FindFirstFileA walk and a bare
// DeleteFileA loop over the junk files of a freshly laid identical tree.
// Prints on stdout:
//   auto.seconds         wall time of the run
//   auto.peak_mb         peak working set of the program, in MiB
//   auto.ratio           run time / time of the bare walk
//   auto.floor_ratio     run time / (bare walk + bare delete + empty run)
//   auto.kb_per_finding  (peak working set - that of the empty run) / findings, in KiB
// Everything else goes to stderr.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "bench_support.h"
#include "config/config_document.h"
#include "config/settings_paths.h"
#include "paths/module_paths.h"
#include "platform/codepage.h"
#include "platform/com.h"
#include "platform/handle.h"

namespace {

// Two roots of one length, so that both trees have paths of the same lengths.
constexpr const char* kTree = "d:\\autobench";
constexpr const char* kBareTree = "d:\\barebench";
constexpr const char* kProgramFolder = "e:\\AutoBench";
constexpr DWORD kRunTimeoutMs = 60 * 60 * 1000;
constexpr int kEmptyRuns = 3;

const char* const kPlainExtensions[] = {".txt", ".doc", ".jpg", ".png", ".dll", ".exe", ".html", ".cpp",
                                        ".h",   ".pdf", ".xml", ".dat", ".ini", ".mp3", ".xls", ".zip"};
// Checked factory junk types, as names: "*" becomes a stem, "?" a digit.
const char* const kJunkPatterns[] = {"*.tmp", "*.temp", "*._mp", "*.~mp", "*.$$$", "*.bak", "*.wbk", "*.xlk",
                                     "*.~*",  "*~",     "*.swp", "file????.chk", "*.gid", "*.fts", "*.ftg",
                                     "thumbs.db", "*.dmp"};

// Lays the tree below root, the same names every time; returns the paths
// of its junk files.
std::vector<std::string> LayTree(const std::string& root) {
    std::mt19937 random(20061207);
    std::vector<std::string> junk;
    bench::LayFolderTree(root, [&](const std::string& leafPath) {
        std::set<std::string> names;
        for (int i = 0; i < bench::kFilesPerLeaf; ++i) {
            // Star stems carry the file's index: unique within the folder.
            std::string stem = "f";
            stem += std::to_string(i);
            stem += '_';
            std::string name;
            const bool isJunk = random() % 5 == 0;
            if (isJunk) {
                name = bench::NameFor(kJunkPatterns[random() % std::size(kJunkPatterns)], stem, random);
                // Names without a star can come twice in a folder.
                if (!names.insert(name).second) name = bench::NameFor("*.tmp", stem, random);
            } else {
                name = "file" + std::to_string(i) + "_" + std::to_string(random() % 100000) +
                       kPlainExtensions[random() % std::size(kPlainExtensions)];
            }
            std::string path = leafPath + "\\" + name;
            bench::WriteSmallFile(path, std::string(100, 'b'));
            if (isJunk) junk.push_back(std::move(path));
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
    return true;
}

// The settings of a run: with a tree, delete it of its junk; without one,
// an empty selection and nothing switched on.
bool WriteSettings(const char* tree) {
    config::ConfigDocument doc;
    if (!doc.Open(std::string(kProgramFolder) + "\\JunkSweep.xml")) return false;
    namespace path = config::path;
    doc.SetAttribute(path::kClean, "custom", tree ? 1 : 0);
    doc.SetAttribute(path::kMoveToRecycle, "custom", 0);
    doc.SetAttribute(path::kMoveToFolder, "custom", 0);
    doc.SetAttribute(path::kBackup, "custom", 0);
    for (const char* trace : path::kAdvClean) doc.SetAttribute(trace, "custom", 0);
    config::XmlNode selection = doc.SelectSingleNode(path::kSelectDrive);
    for (const config::XmlNode& item : doc.SelectNodes(std::string(path::kSelectDrive) + "/PathItem")) {
        doc.RemoveChild(selection, item);
    }
    if (tree) doc.AppendElement(selection, "PathItem", "", {{L"name", platform::ToWide(tree)}});
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

double Mib(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace

int main() {
    platform::ComApartment com;
    auto layStart = bench::Clock::now();
    const size_t junk = LayTree(kTree).size();
    std::fprintf(stderr, "tree laid in %.1f s: %zu junk files\n", bench::SecondsSince(layStart), junk);
    if (!InstallProgram()) return 1;

    // The program's own cost: started and ended with nothing to do.
    if (!WriteSettings(nullptr)) return 1;
    std::vector<double> emptyTimes;
    std::vector<double> emptyPeaks;
    for (int i = 0; i < kEmptyRuns; ++i) {
        RunResult empty;
        if (!RunProgram(empty) || empty.exitCode != 2) {
            std::fprintf(stderr, "the empty run did not finish\n");
            return 1;
        }
        emptyTimes.push_back(empty.seconds);
        emptyPeaks.push_back(static_cast<double>(empty.peakWorkingSet));
        std::fprintf(stderr, "empty run: %.3f s, peak %.1f MiB\n", empty.seconds, Mib(empty.peakWorkingSet));
    }
    const double emptyRun = bench::Median(emptyTimes), basePeak = bench::Median(emptyPeaks);

    if (!WriteSettings(kTree)) return 1;
    const long long files = Walk(kTree);
    RunResult run;
    if (!RunProgram(run)) {
        std::fprintf(stderr, "the run did not finish\n");
        return 1;
    }
    long long left = Walk(kTree);
    std::fprintf(stderr, "run: %.2f s, exit code %lu, %lld files left of %lld (%zu junk)\n", run.seconds, run.exitCode,
                 left, files, junk);
    if (run.exitCode != 2 || left != files - static_cast<long long>(junk)) {
        std::fprintf(stderr, "the run did not clean what it should\n");
        return 1;
    }

    // The floor, on a tree laid afresh as the program's was.
    std::vector<std::string> bareJunk = LayTree(kBareTree);
    long long bareFiles = 0;
    const double walk = bench::Time([&] { bareFiles = Walk(kBareTree); });
    size_t deleted = 0;
    const double remove = bench::Time([&] {
        for (const std::string& path : bareJunk) deleted += ::DeleteFileA(path.c_str()) ? 1 : 0;
    });
    std::fprintf(stderr, "bare walk: %lld files in %.3f s; bare delete: %zu files in %.3f s; empty run %.3f s\n",
                 bareFiles, walk, deleted, remove, emptyRun);
    if (bareFiles != files || deleted != junk) {
        std::fprintf(stderr, "the bare loops did not see the same tree\n");
        return 1;
    }

    std::printf("auto.seconds %.2f\n", run.seconds);
    std::printf("auto.peak_mb %.1f\n", Mib(run.peakWorkingSet));
    std::printf("auto.ratio %.1f\n", run.seconds / walk);
    std::printf("auto.floor_ratio %.2f\n", run.seconds / (walk + remove + emptyRun));
    std::printf("auto.kb_per_finding %.2f\n", (static_cast<double>(run.peakWorkingSet) - basePeak) / 1024.0 /
                                                  static_cast<double>(junk));
    return 0;
}
