// How much the junk search costs over a plain walk of the same tree.
//
// Lays a tree of about 100,000 files in about 2,000 folders on the scratch
// drive d: (a fifth of the names junk under the factory junk types, a few per
// cent empty, a few shortcuts), then times, alternating and after a warm-up,
// a bare FindFirstFileA walk, SearchFolder with the factory settings, and
// SearchFolder with all three finding switches on. Prints on stdout:
//   scan.ratio      factory search time / bare walk time
//   scan.ratio_all  all-switches search time / bare walk time
// each the median over rounds. Everything else goes to stderr.
// Environment (for runs by hand through scripts/wine-run):
//   JS_KEEP_SCRATCH  keeps d: between runs, and with it the tree once laid
//   JS_BENCH_CPU     measures this thread's processor time, not clock time
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "config/job_requests.h"
#include "config/settings.h"
#include "paths/module_paths.h"
#include "platform/com.h"
#include "platform/handle.h"
#include "scan/findings.h"
#include "scan/folder_search.h"

namespace {

constexpr const char* kRoot = "d:\\scanbench";
constexpr int kRounds = 11;

const char* const kPlainExtensions[] = {".txt", ".doc", ".jpg", ".png", ".dll", ".exe", ".html", ".cpp",
                                        ".h",   ".pdf", ".xml", ".dat", ".ini", ".mp3", ".xls", ".zip"};

struct TreeCounts {
    int folders = 0, files = 0, junk = 0, empty = 0, shortcuts = 0;
};

TreeCounts LayTree(const std::vector<std::string>& junkPatterns, const scan::JunkTypeTable& table) {
    std::mt19937 random(20061207);
    TreeCounts counts;
    counts.folders = bench::LayFolderTree(kRoot, [&](const std::string& leafPath) {
        for (int i = 0; i < bench::kFilesPerLeaf; ++i) {
            unsigned roll = random() % 1000;
            std::string name;
            if (roll < 200) {
                name = bench::NameFor(junkPatterns[random() % junkPatterns.size()], "f", random);
                ++counts.junk;
            } else if (roll < 201) {
                name = "link" + std::to_string(i) + ".lnk";
                std::string target = random() % 2 ? leafPath : "d:\\gone\\program" + std::to_string(i) + ".exe";
                bench::WriteShortcut(leafPath + "\\" + name, target);
                ++counts.shortcuts;
                ++counts.files;
                continue;
            } else {
                do {
                    name = "file" + std::to_string(random() % 1000000) +
                           kPlainExtensions[random() % std::size(kPlainExtensions)];
                } while (table.Match(name));
            }
            bool empty = random() % 100 < 3;
            counts.empty += empty;
            bench::WriteSmallFile(leafPath + "\\" + name, std::string(empty ? 0 : 1 + random() % 400, 'b'));
            ++counts.files;
        }
    });
    return counts;
}

// The findings kept as the scan job keeps them.
struct SearchRun {
    scan::Findings found;
    size_t folders = 0;
};

// A fingerprint of what a search reported, so that runs of different builds
// can be compared: the same findings in any order give the same value.
uint64_t Fingerprint(const SearchRun& run) {
    uint64_t sum = 0;
    for (size_t i = 0; i < run.found.Count(); ++i) {
        uint64_t h = 14695981039346656037ULL;
        for (char c : run.found.Path(i) + '|' + run.found.FoundAs(i)) {
            h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        }
        sum += h;
    }
    return sum;
}

// Processor time of the calling thread, user and kernel.
double ThreadSeconds() {
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

template <typename Work>
double CpuTime(Work work) {
    double from = ThreadSeconds();
    work();
    return ThreadSeconds() - from;
}

}  // namespace

int main() {
    platform::ComApartment com;
    paths::OverrideModulePath(paths::ModuleDirectory() + "\\JunkSweep.exe");

    scan::JunkTypeTable table;
    std::vector<std::string> junkPatterns;
    for (const config::JunkType& type : config::LoadJunkTypes(config::ValueSet::Default)) {
        if (!type.checked) continue;
        table.Add(type.pattern, type.description);
        junkPatterns.push_back(type.pattern);
    }
    std::vector<std::string> skipFolders;
    for (const config::SkipFolder& folder : config::LoadSkipFolders(config::ValueSet::Default)) {
        if (folder.checked) skipFolders.push_back(folder.folder);
    }
    const config::SearchOptions factory = config::LoadSearchOptions(config::ValueSet::Default);
    if (junkPatterns.empty()) {
        std::fprintf(stderr, "bench_scan: no factory junk types in %s\n", config::ConfigFilePath().c_str());
        return 1;
    }

    const scan::SearchSwitches factorySwitches = config::SearchSwitchesOf(factory);
    scan::SearchSwitches allSwitches = factorySwitches;
    allSwitches.findEmptyFiles = allSwitches.findInvalidShortcuts = allSwitches.findNotAccessed = true;

    // A tree laid by an earlier run is used again when the scratch drive was
    // kept (JS_KEEP_SCRATCH), which makes profiling runs quicker.
    const std::string marker = std::string(kRoot) + "\\laid.txt";
    TreeCounts counts;
    double layTime = 0;
    if (::GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES) {
        layTime = bench::Time([&] { counts = LayTree(junkPatterns, table); });
        bench::WriteSmallFile(marker, "b");
    }
    std::fprintf(stderr, "bench_scan: laid %d files (%d junk, %d empty, %d shortcuts) in %d folders in %.1f s\n",
                 counts.files, counts.junk, counts.empty, counts.shortcuts, counts.folders, layTime);

    auto search = [&](const scan::SearchSwitches& switches) {
        SearchRun run;
        scan::SearchFolder({kRoot, table, skipFolders, switches}, [&](const scan::SearchHit& hit) {
            if (hit.reason) {
                run.found.Add(hit.folder, hit.name, hit.reason, platform::StampOf(hit.entry), hit.entry.dwFileAttributes);
            } else {
                ++run.folders;
            }
            return true;
        });
        return run;
    };

    // Warm the file cache and the listing machinery once for each kind.
    size_t entries = bench::BareWalk(kRoot);
    SearchRun factoryRun = search(factorySwitches);
    SearchRun allRun = search(allSwitches);
    std::fprintf(stderr,
                 "bench_scan: %zu entries; factory search found %zu (%016llx), all switches found %zu (%016llx)\n",
                 entries, factoryRun.found.Count(), static_cast<unsigned long long>(Fingerprint(factoryRun)),
                 allRun.found.Count(), static_cast<unsigned long long>(Fingerprint(allRun)));

    // Rounds alternate which walk goes first; each round's figures are the
    // search times over the bare walk's time in the same round, so a burst of
    // load from elsewhere touches one round, not the whole result. With
    // JS_BENCH_CPU set, processor times of this thread are used instead of
    // clock times, which shows the work done without the waiting.
    const char* cpuSwitch = getenv("JS_BENCH_CPU");
    const bool cpu = cpuSwitch && *cpuSwitch;
    auto measure = [&](auto&& work) { return cpu ? CpuTime(work) : bench::Time(work); };
    std::vector<double> bare, factoryRatios, allRatios;
    for (int round = 0; round < kRounds; ++round) {
        double b = 0, f = 0, a = 0;
        if (round % 2 == 0) {
            b = measure([&] { bench::BareWalk(kRoot); });
            f = measure([&] { search(factorySwitches); });
            a = measure([&] { search(allSwitches); });
        } else {
            a = measure([&] { search(allSwitches); });
            f = measure([&] { search(factorySwitches); });
            b = measure([&] { bench::BareWalk(kRoot); });
        }
        bare.push_back(b);
        factoryRatios.push_back(f / b);
        allRatios.push_back(a / b);
    }
    const double ratio = bench::Median(factoryRatios), ratioAll = bench::Median(allRatios);
    std::fprintf(stderr, "bench_scan: %d rounds of %s time: bare walk median %.3f s; ratios %.3f, all switches %.3f\n",
                 kRounds, cpu ? "processor" : "clock", bench::Median(bare), ratio, ratioAll);

    std::printf("scan.ratio %.3f\n", ratio);
    std::printf("scan.ratio_all %.3f\n", ratioAll);
    return 0;
}
