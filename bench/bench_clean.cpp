// Backing up and then deleting many small files with the clean engine,
// against a bare loop of CopyFileA and DeleteFileA over the same files.
// Prints "clean.ratio <engine time / bare time>" and the two medians.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "clean/clean_engine.h"
#include "paths/module_paths.h"

namespace {

constexpr int kFolders = 200;
constexpr int kFilesPerFolder = 100;
constexpr int kRounds = 3;
const char* const kSourceRoot = "d:\\bench-clean\\junk";

class NullProgress : public clean::CleanProgress {
public:
    void SetStatus(const std::string&) override {}
    void SetPosition(int) override {}
};

void MakeFolderPath(const std::string& path) {
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') ::CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

clean::CleanList MakeJunk() {
    clean::CleanList files;
    const std::string content(200, 'j');
    for (int f = 0; f < kFolders; ++f) {
        std::string folder = std::string(kSourceRoot) + "\\folder" + std::to_string(f);
        MakeFolderPath(folder);
        for (int n = 0; n < kFilesPerFolder; ++n) {
            std::string path = folder + "\\file" + std::to_string(n) + ".tmp";
            HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                     nullptr);
            DWORD written = 0;
            ::WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
            ::CloseHandle(h);
            files.push_back(path);
        }
    }
    return files;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Work>
double Time(Work work) {
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    work();
    ::QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

double RunEngine(const clean::CleanList& files, int round) {
    std::string set = clean::BackupRoot() + "engine" + std::to_string(round);
    NullProgress progress;
    clean::StopFlag stop{0};
    return Time([&] {
        clean::KeepMask keep;
        clean::BackupFiles(files, set, progress, stop, &keep);
        clean::DeleteFiles(files, progress, stop, &keep);
    });
}

// The same copies into the same layout, its folders made beforehand (and
// not timed): only the copy and the delete of each file.
double RunBare(const clean::CleanList& files, int round) {
    std::string set = clean::BackupRoot() + "bare" + std::to_string(round);
    std::vector<std::string> targets;
    for (const std::string& f : files) targets.push_back(clean::BackupPathFor(set, f));
    for (size_t i = 0; i < targets.size(); i += kFilesPerFolder) {
        MakeFolderPath(targets[i].substr(0, targets[i].rfind('\\')));
    }
    return Time([&] {
        for (size_t i = 0; i < files.size(); ++i) {
            ::CopyFileA(files[i].c_str(), targets[i].c_str(), FALSE);
            ::DeleteFileA(files[i].c_str());
        }
    });
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main() {
    paths::OverrideModulePath("d:\\bench-clean\\program\\JunkSweep.exe");
    std::vector<double> engine, bare;
    for (int round = 0; round < kRounds; ++round) {
        // Alternate which goes first, so that neither always meets a warmer cache.
        for (int turn = 0; turn < 2; ++turn) {
            clean::CleanList files = MakeJunk();
            if ((round + turn) % 2 == 0) {
                engine.push_back(RunEngine(files, round));
            } else {
                bare.push_back(RunBare(files, round));
            }
        }
    }
    double e = Median(engine), b = Median(bare);
    std::printf("clean.engine_seconds %.3f\n", e);
    std::printf("clean.bare_seconds %.3f\n", b);
    std::printf("clean.ratio %.3f\n", b > 0 ? e / b : 0.0);
    return 0;
}
