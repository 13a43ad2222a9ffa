// How much a scan that runs application rules costs over a plain walk of
// the folders they reach.
//
// Lays a user profile on the scratch drive d: with 20,000 cache files in the
// folders the shipped rules name (two browser profiles each, files in
// subfolders where a rule takes them), with a few files people keep beside
// them, then times, alternating and after a warm-up, a bare FindFirstFileA
// walk of every cache folder and a scan with every shipped rule ticked and no
// drive selected. Prints on stdout:
//   apps.ratio   scan time / bare walk time, the median over rounds
// Everything else goes to stderr.
// Environment (for runs by hand through scripts/wine-run):
//   JS_KEEP_SCRATCH  keeps d: between runs, and with it the profile once laid
#include <windows.h>

#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "bench_support.h"
#include "paths/module_paths.h"
#include "platform/com.h"
#include "platform/handle.h"
#include "config/job_requests.h"
#include "config/settings.h"
#include "scan/app_catalog.h"
#include "scan/scan_job.h"

namespace {

constexpr const char* kProfile = "d:\\appsbench\\Users\\someone";
constexpr int kCacheFiles = 20000;
constexpr int kRounds = 11;

scan::AppFolders ProfileFolders() {
    const std::string root = kProfile;
    scan::AppFolders folders;
    folders.Set("%UserProfile%", {root});
    folders.Set("%LocalAppData%", {root + "\\AppData\\Local"});
    folders.Set("%AppData%", {root + "\\AppData\\Roaming"});
    folders.Set("%Temp%", {root + "\\AppData\\Local\\Temp"}, false);
    return folders;
}

// A rule folder with its "*" parts named: each stands for two profiles.
std::vector<std::string> Concrete(const std::string& pattern) {
    std::vector<std::string> out = {""};
    size_t start = 0;
    while (start <= pattern.size()) {
        size_t end = pattern.find('\\', start);
        if (end == std::string::npos) end = pattern.size();
        const std::string part = pattern.substr(start, end - start);
        std::vector<std::string> next;
        for (const std::string& head : out) {
            const std::string sep = head.empty() ? "" : "\\";
            if (part == "*") {
                next.push_back(head + sep + "Default");
                next.push_back(head + sep + "Profile 1");
            } else {
                next.push_back(head + sep + part);
            }
        }
        out = std::move(next);
        start = end + 1;
    }
    return out;
}

struct CacheFolder {
    std::string folder;
    std::string mask;
    bool recurse;
};

std::vector<CacheFolder> CacheFolders(const std::vector<scan::AppRule>& rules, const scan::AppFolders& folders) {
    std::vector<CacheFolder> out;
    std::set<std::string> seen;
    for (const scan::AppRule& rule : rules) {
        for (const scan::FileKey& key : rule.files) {
            for (const scan::ExpandedFolder& expanded : folders.Expand(key.folder)) {
                for (const std::string& folder : Concrete(expanded.text)) {
                    if (seen.insert(folder).second) out.push_back({folder, key.masks.front(), key.recurse});
                }
            }
        }
    }
    return out;
}

int LayProfile(const std::vector<CacheFolder>& caches) {
    std::mt19937 random(20240517);
    int laid = 0;
    for (size_t i = 0; i < caches.size(); ++i) {
        const CacheFolder& cache = caches[i];
        const int count = kCacheFiles / static_cast<int>(caches.size()) +
                          (static_cast<int>(i) < kCacheFiles % static_cast<int>(caches.size()) ? 1 : 0);
        bench::MakeFolders(cache.folder);
        for (int n = 0; n < count; ++n) {
            std::string folder = cache.folder;
            if (cache.recurse) {
                folder += "\\Cache_Data" + std::to_string(n % 4);
                ::CreateDirectoryA(folder.c_str(), nullptr);
            }
            std::string name = bench::NameFor(cache.mask == "*" ? "f_*" : cache.mask, "c", random);
            bench::WriteSmallFile(folder + "\\" + name, std::string(1 + random() % 300, 'c'));
            ++laid;
        }
        // What people keep beside the caches.
        const std::string parent = cache.folder.substr(0, cache.folder.find_last_of('\\'));
        bench::WriteSmallFile(parent + "\\Preferences", "{}");
    }
    return laid;
}

class NoProgress : public platform::JobProgress {
public:
    void SetStatus(const std::string&) override {}
    void SetCount(uint64_t) override {}
    void SetRange(uint32_t) override {}
    void SetPosition(int) override {}
};

// A scan with every rule ticked and no drive selected, with the factory
// skip folders and switches; returns how many files it found.
size_t RunRuleScan(const scan::ScanRequest& request) {
    NoProgress progress;
    platform::StopFlag stop{0};
    return scan::RunScan(request, progress, stop).findings.Count();
}

}  // namespace

int main() {
    platform::ComApartment com;
    paths::OverrideModulePath(paths::ModuleDirectory() + "\\JunkSweep.exe");
    const scan::RuleFile shipped = scan::ReadRuleFile(scan::OwnRulesPath());
    if (shipped.rules.empty()) {
        std::fprintf(stderr, "bench_apps: no shipped rules beside the program\n");
        return 1;
    }
    const scan::AppFolders folders = ProfileFolders();
    const std::vector<CacheFolder> caches = CacheFolders(shipped.rules, folders);

    const std::string marker = std::string(kProfile) + "\\laid.txt";
    int laid = 0;
    double layTime = 0;
    if (::GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES) {
        layTime = bench::Time([&] { laid = LayProfile(caches); });
        bench::WriteSmallFile(marker, "b");
    }
    std::fprintf(stderr, "bench_apps: laid %d cache files in %zu cache folders in %.1f s\n", laid, caches.size(),
                 layTime);

    auto bare = [&] {
        size_t entries = 0;
        for (const CacheFolder& cache : caches) entries += bench::BareWalk(cache.folder);
        return entries;
    };
    scan::ScanRequest request;
    for (const config::SkipFolder& folder : config::LoadSkipFolders(config::ValueSet::Default)) {
        if (folder.checked) request.skipFolders.push_back(folder.folder);
    }
    request.switches = config::SearchSwitchesOf(config::LoadSearchOptions(config::ValueSet::Default));
    request.appRules = shipped.rules;
    request.appFolders = folders;
    request.windowsVersion = 1000;
    auto scanRules = [&] { return RunRuleScan(request); };

    // Warm the file cache and the listing machinery once for each.
    const size_t entries = bare();
    const size_t found = scanRules();
    std::fprintf(stderr, "bench_apps: %zu entries in the cache folders; the scan found %zu files\n", entries, found);

    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        double walkTime = 0, scanTime = 0;
        if (round % 2 == 0) {
            walkTime = bench::Time(bare);
            scanTime = bench::Time(scanRules);
        } else {
            scanTime = bench::Time(scanRules);
            walkTime = bench::Time(bare);
        }
        ratios.push_back(scanTime / walkTime);
        std::fprintf(stderr, "bench_apps: round %d: walk %.3f s, scan %.3f s\n", round, walkTime, scanTime);
    }
    std::printf("apps.ratio %.3f\n", bench::Median(ratios));
    return 0;
}
