// Moving files into the Recycle Bin with MoveToRecycleBin (which makes sure
// that a file the bin cannot take stays) against the bare shell call that
// deletes such a file for good. Prints the time per file of each, in
// milliseconds, and "recycle.ratio <guarded time / bare time>".
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "clean/recycle_bin.h"
#include "platform/com.h"

namespace {

constexpr int kFiles = 1000;
constexpr int kRounds = 3;

std::vector<std::string> MakeJunk(const std::string& folder) {
    bench::MakeFolders(folder);
    std::vector<std::string> files;
    const std::string content(200, 'r');
    for (int n = 0; n < kFiles; ++n) {
        files.push_back(folder + "\\file" + std::to_string(n) + ".tmp");
        bench::WriteSmallFile(files.back(), content);
    }
    return files;
}

void BareRecycle(const std::string& path) {
    std::string source = path + '\0';
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = source.c_str();
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOERRORUI;
    ::SHFileOperationA(&operation);
}

void EmptyBin() { ::SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND); }

}  // namespace

int main() {
    platform::ComApartment com;
    std::vector<double> guarded, bare;
    for (int round = 0; round < kRounds; ++round) {
        // Alternate which goes first, so that neither always meets a warmer cache.
        for (int turn = 0; turn < 2; ++turn) {
            std::vector<std::string> files = MakeJunk("d:\\bench-recycle\\r" + std::to_string(round * 2 + turn));
            EmptyBin();
            if ((round + turn) % 2 == 0) {
                guarded.push_back(bench::Time([&] {
                    for (const std::string& f : files) clean::MoveToRecycleBin(f);
                }));
            } else {
                bare.push_back(bench::Time([&] {
                    for (const std::string& f : files) BareRecycle(f);
                }));
            }
        }
    }
    EmptyBin();
    double g = bench::Median(guarded), b = bench::Median(bare);
    std::printf("recycle.guarded_ms_per_file %.3f\n", g * 1000 / kFiles);
    std::printf("recycle.bare_ms_per_file %.3f\n", b * 1000 / kFiles);
    std::printf("recycle.ratio %.3f\n", b > 0 ? g / b : 0.0);
    return 0;
}
