// Backing up and then deleting many small files with the clean engine and
// writing the clean's log, as the program does, against a bare loop of
// CopyFileA and DeleteFileA over the same files. Prints
// "clean.ratio <engine and log time / bare time>", the same ratio without
// the log (measured in the same run, turn about), and the medians.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "clean/clean_engine.h"
#include "clean/clean_log.h"
#include "clean/clean_result.h"
#include "paths/module_paths.h"
#include "platform/handle.h"

namespace {

constexpr int kFolders = 200;
constexpr int kFilesPerFolder = 100;
constexpr int kRounds = 5;
const char* const kSourceRoot = "d:\\bench-clean\\junk";

class NullProgress : public clean::CleanProgress {
public:
    void SetStatus(const std::string&) override {}
    void SetPosition(int) override {}
};

clean::CleanList MakeJunk() {
    clean::CleanList files;
    const std::string content(200, 'j');
    for (int f = 0; f < kFolders; ++f) {
        std::string folder = std::string(kSourceRoot) + "\\folder" + std::to_string(f);
        bench::MakeFolders(folder);
        for (int n = 0; n < kFilesPerFolder; ++n) {
            std::string path = folder + "\\file" + std::to_string(n) + ".tmp";
            bench::WriteSmallFile(path, content);
            // The clean checks each file against what the scan listed.
            WIN32_FIND_DATAA listed{};
            platform::FindHandle find(::FindFirstFileA(path.c_str(), &listed));
            files.emplace_back(path, platform::StampOf(listed));
        }
    }
    return files;
}

enum class Log { Without, Written };

double RunEngine(clean::CleanList files, int round, Log log) {
    const std::string name = (log == Log::Written ? "logged" : "engine") + std::to_string(round);
    const std::string set = clean::BackupRoot() + name;
    NullProgress progress;
    clean::StopFlag stop{0};
    clean::CleanResult result;
    result.files = std::move(files);
    result.action = "backup+delete";
    SYSTEMTIME started{};
    ::GetLocalTime(&started);
    return bench::Time([&] {
        clean::BackupFiles(result.files, set, progress, stop, &result.outcomes);
        clean::DeleteFiles(result.files, progress, stop, &result.outcomes);
        if (log == Log::Written) clean::WriteCleanLog(result, name, started);
    });
}

// The same copies into the same layout, its folders made beforehand (and
// not timed): only the copy and the delete of each file.
double RunBare(const clean::CleanList& files, int round) {
    std::string set = clean::BackupRoot() + "bare" + std::to_string(round);
    std::vector<std::string> targets;
    for (const clean::CleanItem& f : files) targets.push_back(clean::BackupPathFor(set, f.path));
    for (size_t i = 0; i < targets.size(); i += kFilesPerFolder) {
        bench::MakeFolders(targets[i].substr(0, targets[i].rfind('\\')));
    }
    return bench::Time([&] {
        for (size_t i = 0; i < files.size(); ++i) {
            ::CopyFileA(files[i].path.c_str(), targets[i].c_str(), FALSE);
            ::DeleteFileA(files[i].path.c_str());
        }
    });
}

}  // namespace

int main() {
    paths::OverrideModulePath("d:\\bench-clean\\program\\JunkSweep.exe");
    std::vector<double> logged, engine, bare;
    for (int round = 0; round < kRounds; ++round) {
        // Rotate which goes first, so that none always meets a warmer cache.
        for (int turn = 0; turn < 3; ++turn) {
            clean::CleanList files = MakeJunk();
            switch ((round + turn) % 3) {
                case 0:
                    logged.push_back(RunEngine(std::move(files), round, Log::Written));
                    break;
                case 1:
                    engine.push_back(RunEngine(std::move(files), round, Log::Without));
                    break;
                default:
                    bare.push_back(RunBare(files, round));
                    break;
            }
        }
    }
    double l = bench::Median(logged), e = bench::Median(engine), b = bench::Median(bare);
    std::printf("clean.engine_seconds %.3f\n", l);
    std::printf("clean.engine_without_log_seconds %.3f\n", e);
    std::printf("clean.bare_seconds %.3f\n", b);
    std::printf("clean.ratio %.3f\n", b > 0 ? l / b : 0.0);
    std::printf("clean.ratio_without_log %.3f\n", b > 0 ? e / b : 0.0);
    return 0;
}
