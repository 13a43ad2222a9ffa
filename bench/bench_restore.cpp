// Restoring a backup set of 20,000 small files in 200 folders against a
// bare loop of copies over the same files; runs alternated, medians
// compared. Prints restore.ratio (restore time / copy-loop time). A restore
// also deletes each file it copied back from the set, which under Wine costs
// a good part of a copy; on a quiet machine the ratio came out at 1.0 to 1.2.
// Runs inside the test bed: the set lives on d:, the targets on e:.
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "bench_support.h"
#include "rescue/restore.h"

namespace {

constexpr int kFolders = 200;
constexpr int kFilesPerFolder = 100;
constexpr int kRounds = 5;
const std::string kSet = "d:\\bench-restore\\Backup\\2006-12-05_10-20-30";
const std::string kTargetRoot = "e:\\bench-restore";

struct Copy {
    std::string source, target;
};

std::string FolderName(int folder) {
    char name[32];
    std::snprintf(name, sizeof name, "folder%03d", folder);
    return name;
}

std::string FileName(int file) {
    char name[32];
    std::snprintf(name, sizeof name, "file%05d.dat", file);
    return name;
}

void WriteSmallFile(const std::string& path, int number) {
    char content[128];
    int length = std::snprintf(content, sizeof content, "backed-up file %d, a few bytes of content\r\n", number);
    bench::WriteSmallFile(path, std::string_view(content, static_cast<size_t>(length)));
}

// The set as a clean would have left it; returns the copies a bare loop makes.
std::vector<Copy> MakeSet() {
    std::vector<Copy> copies;
    copies.reserve(kFolders * kFilesPerFolder);
    int number = 0;
    for (int f = 0; f < kFolders; ++f) {
        std::string setFolder = kSet + "\\E\\bench-restore\\" + FolderName(f);
        bench::MakeFolders(setFolder);
        for (int i = 0; i < kFilesPerFolder; ++i, ++number) {
            std::string source = setFolder + "\\" + FileName(number);
            WriteSmallFile(source, number);
            copies.push_back({source, kTargetRoot + "\\" + FolderName(f) + "\\" + FileName(number)});
        }
    }
    return copies;
}

}  // namespace

int main() {
    std::vector<Copy> copies = MakeSet();
    // The copy loop creates no folders: give it the targets' folders.
    for (int f = 0; f < kFolders; ++f) bench::MakeFolders(kTargetRoot + "\\" + FolderName(f));

    std::vector<double> restoreTimes, loopTimes;
    size_t restored = 0;
    // The copy loop leaves the set as it is; a restore uses it up.
    bool setPresent = true;
    auto ensureSet = [&] {
        if (!setPresent) {
            MakeSet();
            // Let the file system write the new set out before a timed run.
            ::Sleep(5000);
        }
        setPresent = true;
    };
    auto copyLoop = [&] {
        ensureSet();
        size_t copied = 0;
        loopTimes.push_back(bench::Time([&] {
            for (const Copy& copy : copies) copied += ::CopyFileA(copy.source.c_str(), copy.target.c_str(), FALSE) ? 1 : 0;
        }));
        if (copied != copies.size()) std::fprintf(stderr, "copy loop: %zu of %zu copied\n", copied, copies.size());
    };
    auto restoreSet = [&] {
        ensureSet();
        rescue::RestoreOutcome outcome;
        restoreTimes.push_back(bench::Time([&] { outcome = rescue::RestoreSet(kSet); }));
        restored = outcome.restored;
        if (!outcome.setRemoved || outcome.restored != copies.size()) {
            std::fprintf(stderr, "restore: %zu restored, %zu failed, set %s\n", outcome.restored, outcome.failed,
                         outcome.setRemoved ? "removed" : "kept");
        }
        setPresent = false;
    };
    // Alternate which goes first, so that a drift in the machine's load
    // weighs on both alike.
    for (int round = 0; round < kRounds; ++round) {
        if (round % 2 == 0) {
            copyLoop();
            restoreSet();
        } else {
            restoreSet();
            copyLoop();
        }
        std::fprintf(stderr, "round %d: copy loop %.3f s, restore %.3f s\n", round, loopTimes.back(), restoreTimes.back());
    }
    // The test bed empties its scratch drives around every program.

    double restore = bench::Median(restoreTimes), loop = bench::Median(loopTimes);
    std::printf("restore.files %zu\n", restored);
    std::printf("restore.median_s %.3f\n", restore);
    std::printf("restore.copyloop_median_s %.3f\n", loop);
    std::printf("restore.ratio %.3f\n", restore / loop);
    return 0;
}
