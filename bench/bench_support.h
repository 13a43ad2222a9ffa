#pragma once
// What the benchmarks share: clock times, medians, a bare walk, small
// files, shortcuts and the three-level tree the search benchmarks lay.
// Header only: every bench_*.cpp in this folder is a program of its own.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage.h"
#include "platform/com.h"
#include "platform/handle.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Clock time of one call of work, in seconds.
template <typename Work>
double Time(Work&& work) {
    auto start = Clock::now();
    work();
    return SecondsSince(start);
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Lists folder and every folder below it with the narrow listing functions
// and no work per entry: the floor a search is held to. Returns how many
// entries it met.
inline size_t BareWalk(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    platform::FindHandle listing(::FindFirstFileA((folder + "\\*.*").c_str(), &entry));
    if (!listing) return 0;
    size_t entries = 0;
    do {
        ++entries;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && std::strcmp(entry.cFileName, ".") != 0 &&
            std::strcmp(entry.cFileName, "..") != 0) {
            entries += BareWalk(folder + "\\" + entry.cFileName);
        }
    } while (::FindNextFileA(listing.Get(), &entry));
    return entries;
}

// Makes a folder and the folders above it (below the drive's root).
inline void MakeFolders(const std::string& path) {
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') ::CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

inline void WriteSmallFile(const std::string& path, std::string_view content) {
    platform::UniqueHandle file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file && !content.empty()) {
        ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    }
}

// A shell shortcut to target. COM must be initialised on the calling thread.
inline void WriteShortcut(const std::string& path, const std::string& target) {
    platform::ComPtr<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid()))) {
        return;
    }
    link->SetPath(target.c_str());
    if (auto file = link.As<IPersistFile>(IID_IPersistFile)) file->Save(platform::ToWide(path).c_str(), TRUE);
}

// A name that the pattern matches: each star becomes stem and a random
// number, each question mark a digit.
inline std::string NameFor(std::string_view pattern, const std::string& stem, std::mt19937& random) {
    std::string name;
    for (char c : pattern) {
        if (c == '*') {
            name += stem + std::to_string(random() % 100000);
        } else if (c == '?') {
            name += static_cast<char>('0' + random() % 10);
        } else {
            name += c;
        }
    }
    return name;
}

// The tree of the search benchmarks: 20 "Project N" folders of 10 "moduleN"
// folders of 10 "Data_N" leaf folders, 50 files to a leaf.
constexpr int kTopFolders = 20;
constexpr int kMiddleFolders = 10;
constexpr int kLeafFolders = 10;
constexpr int kFilesPerLeaf = 50;

// Makes the tree's folders below root and hands each leaf's path to
// fillLeaf as soon as it exists; returns how many folders were made below
// root.
template <typename FillLeaf>
int LayFolderTree(const std::string& root, FillLeaf&& fillLeaf) {
    int folders = 0;
    ::CreateDirectoryA(root.c_str(), nullptr);
    for (int top = 0; top < kTopFolders; ++top) {
        std::string topPath = root + "\\Project " + std::to_string(top);
        ::CreateDirectoryA(topPath.c_str(), nullptr);
        ++folders;
        for (int middle = 0; middle < kMiddleFolders; ++middle) {
            std::string middlePath = topPath + "\\module" + std::to_string(middle);
            ::CreateDirectoryA(middlePath.c_str(), nullptr);
            ++folders;
            for (int leaf = 0; leaf < kLeafFolders; ++leaf) {
                std::string leafPath = middlePath + "\\Data_" + std::to_string(leaf);
                ::CreateDirectoryA(leafPath.c_str(), nullptr);
                ++folders;
                fillLeaf(leafPath);
            }
        }
    }
    return folders;
}

}  // namespace bench
