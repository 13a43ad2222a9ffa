// Restoring a backup set of 20,000 small files in 200 folders against a
// bare loop of copies over the same files; runs alternated, medians
// compared. Prints restore.ratio (restore time / copy-loop time). A restore
// also deletes each file it copied back from the set, which under Wine costs
// a good part of a copy; on a quiet machine the ratio came out at 1.0 to 1.2.
// Runs inside the test bed: the set lives on d:, the targets on e:.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

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

void MakeFolders(const std::string& path) {
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') ::CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

void WriteSmallFile(const std::string& path, int number) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    char content[128];
    int length = std::snprintf(content, sizeof content, "backed-up file %d, a few bytes of content\r\n", number);
    DWORD written = 0;
    ::WriteFile(file, content, static_cast<DWORD>(length), &written, nullptr);
    ::CloseHandle(file);
}

// The set as a clean would have left it; returns the copies a bare loop makes.
std::vector<Copy> MakeSet() {
    std::vector<Copy> copies;
    copies.reserve(kFolders * kFilesPerFolder);
    int number = 0;
    for (int f = 0; f < kFolders; ++f) {
        std::string setFolder = kSet + "\\E\\bench-restore\\" + FolderName(f);
        MakeFolders(setFolder);
        for (int i = 0; i < kFilesPerFolder; ++i, ++number) {
            std::string source = setFolder + "\\" + FileName(number);
            WriteSmallFile(source, number);
            copies.push_back({source, kTargetRoot + "\\" + FolderName(f) + "\\" + FileName(number)});
        }
    }
    return copies;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main() {
    std::vector<Copy> copies = MakeSet();
    // The copy loop creates no folders: give it the targets' folders.
    for (int f = 0; f < kFolders; ++f) MakeFolders(kTargetRoot + "\\" + FolderName(f));

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
        auto start = std::chrono::steady_clock::now();
        size_t copied = 0;
        for (const Copy& copy : copies) copied += ::CopyFileA(copy.source.c_str(), copy.target.c_str(), FALSE) ? 1 : 0;
        loopTimes.push_back(Seconds(std::chrono::steady_clock::now() - start));
        if (copied != copies.size()) std::fprintf(stderr, "copy loop: %zu of %zu copied\n", copied, copies.size());
    };
    auto restoreSet = [&] {
        ensureSet();
        auto start = std::chrono::steady_clock::now();
        rescue::RestoreOutcome outcome = rescue::RestoreSet(kSet);
        restoreTimes.push_back(Seconds(std::chrono::steady_clock::now() - start));
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

    double restore = Median(restoreTimes), loop = Median(loopTimes);
    std::printf("restore.files %zu\n", restored);
    std::printf("restore.median_s %.3f\n", restore);
    std::printf("restore.copyloop_median_s %.3f\n", loop);
    std::printf("restore.ratio %.3f\n", restore / loop);
    return 0;
}
