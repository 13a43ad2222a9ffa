// Restoring a backup set of 20,000 small files in 200 folders against bare
// loops over the same files: one of copies, and one of copies each followed
// by the delete of its source. Runs alternate, medians are compared.
// Prints restore.ratio (restore time / copy-loop time) and
// restore.ratio_floor (restore time / copy-then-delete-loop time): a restore
// takes each file out of the set once it is back, so a copy and a delete per
// file is what a restore by copying cannot go below.
// The set and the places lie on one drive (d:), as for a program restoring
// files of the drive it is installed on: the restore moves the files back.
// Runs inside the test bed.
#include <windows.h>

#include <cstdio>
#include <functional>
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
const std::string kTargetRoot = "d:\\bench-restore";

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
        std::string setFolder = kSet + "\\D\\bench-restore\\" + FolderName(f);
        bench::MakeFolders(setFolder);
        for (int i = 0; i < kFilesPerFolder; ++i, ++number) {
            std::string source = setFolder + "\\" + FileName(number);
            WriteSmallFile(source, number);
            copies.push_back({source, kTargetRoot + "\\" + FolderName(f) + "\\" + FileName(number)});
        }
    }
    return copies;
}

struct Contender {
    const char* name;
    std::function<void()> run;
    std::vector<double> times;
};

}  // namespace

int main() {
    std::vector<Copy> copies = MakeSet();
    // The loops create no folders: give them the places' folders.
    for (int f = 0; f < kFolders; ++f) bench::MakeFolders(kTargetRoot + "\\" + FolderName(f));

    // The copy loop leaves the set as it is; the other two use it up.
    bool setPresent = true;
    // Every run starts from the same state: the set whole, the places empty
    // (a restore usually brings back files a clean removed).
    auto prepare = [&] {
        if (!setPresent) MakeSet();
        for (const Copy& copy : copies) ::DeleteFileA(copy.target.c_str());
        // Let the file system write the new set out before a timed run.
        if (!setPresent) ::Sleep(5000);
        setPresent = true;
    };
    auto countDone = [&](const char* what, size_t done) {
        if (done != copies.size()) std::fprintf(stderr, "%s: %zu of %zu done\n", what, done, copies.size());
    };
    rescue::RestoreOutcome outcome;
    std::vector<Contender> contenders = {
        {"copy loop",
         [&] {
             size_t copied = 0;
             for (const Copy& copy : copies) {
                 copied += ::CopyFileA(copy.source.c_str(), copy.target.c_str(), FALSE) ? 1 : 0;
             }
             countDone("copy loop", copied);
         },
         {}},
        {"copy-then-delete loop",
         [&] {
             size_t copied = 0;
             for (const Copy& copy : copies) {
                 if (::CopyFileA(copy.source.c_str(), copy.target.c_str(), FALSE)) {
                     ++copied;
                     ::DeleteFileA(copy.source.c_str());
                 }
             }
             setPresent = false;
             countDone("copy-then-delete loop", copied);
         },
         {}},
        {"restore",
         [&] {
             outcome = rescue::RestoreSet(kSet);
             setPresent = false;
             countDone("restore", outcome.setRemoved ? outcome.restored : 0);
         },
         {}},
    };
    // Rotate which goes first, so that a drift in the machine's load weighs
    // on all alike.
    for (int round = 0; round < kRounds; ++round) {
        std::fprintf(stderr, "round %d:", round);
        for (size_t i = 0; i < contenders.size(); ++i) {
            Contender& contender = contenders[(i + static_cast<size_t>(round)) % contenders.size()];
            prepare();
            contender.times.push_back(bench::Time(contender.run));
            std::fprintf(stderr, " %s %.3f s;", contender.name, contender.times.back());
        }
        std::fprintf(stderr, "\n");
    }
    // The test bed empties its scratch drives around every program.

    double copyLoop = bench::Median(contenders[0].times), floor = bench::Median(contenders[1].times),
           restore = bench::Median(contenders[2].times);
    std::printf("restore.files %zu\n", outcome.restored);
    std::printf("restore.moved %zu\n", outcome.moved);
    std::printf("restore.median_s %.3f\n", restore);
    std::printf("restore.copyloop_median_s %.3f\n", copyLoop);
    std::printf("restore.copydeleteloop_median_s %.3f\n", floor);
    std::printf("restore.ratio %.3f\n", restore / copyLoop);
    std::printf("restore.ratio_floor %.3f\n", restore / floor);
    return 0;
}
