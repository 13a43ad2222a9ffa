#include <gtest/gtest.h>

#include <windows.h>
#include <shobjidl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "clean/clean_engine.h"
#include "clean/recycle_bin.h"
#include "clean/recycle_sink.h"
#include "platform/codepage.h"
#include "platform/com.h"
#include "platform/handle.h"
#include "platform/wide_path.h"
#include "recording_sink.h"
#include "bin_view.h"
#include "support/child_test.h"
#include "support/scratch.h"

namespace {

using testsupport::FileExists;
using testsupport::ReadFile;

constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

struct Junk {
    const char* name;
    DWORD attributes;
};

const std::vector<Junk> kJunk = {
    {"plain.tmp", FILE_ATTRIBUTE_ARCHIVE},
    {"readonly.tmp", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE},
    {"hidden.tmp", kHiddenSystem | FILE_ATTRIBUTE_ARCHIVE},
};

std::vector<std::string> MakeJunk(const std::string& folder, const std::string& tag) {
    std::vector<std::string> paths;
    for (const Junk& j : kJunk) {
        std::string path = folder + "\\" + tag + "-" + j.name;
        testsupport::WriteFile(path, std::string("content of ") + j.name);
        SetFileAttributesA(path.c_str(), j.attributes);
        paths.push_back(path);
    }
    return paths;
}

std::vector<std::string> FolderContent(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    platform::FindHandle find(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!find) return names;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find.Get(), &entry));
    std::sort(names.begin(), names.end());
    return names;
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

TEST(RecycleFiles, FilesGoToTheRecycleBinAndCanBeBroughtBack) {
    std::string folder = testsupport::NewScratchFolder("recycle");
    std::vector<std::string> files = MakeJunk(folder, std::to_string(GetTickCount()));
    clean::CleanList list(files.begin(), files.end());
    list.push_back(folder + "\\missing.txt");
    cleantest::RecordingProgress progress;
    clean::StopFlag stop{0};
    EXPECT_TRUE(clean::RecycleFiles(list, progress, stop));
    EXPECT_EQ(FolderContent(folder), std::vector<std::string>()) << "nothing left beside the files";

    platform::ComPtr<IShellFolder> bin = cleantest::RecycleBinFolder();
    ASSERT_TRUE(bin);
    for (size_t i = 0; i < files.size(); ++i) {
        cleantest::Pidl item = cleantest::FindInBin(bin.Get(), NameOf(files[i]));
        ASSERT_TRUE(item) << files[i] << " not found in the recycle bin";
        EXPECT_TRUE(cleantest::Restore(bin.Get(), item.get()));
        EXPECT_EQ(ReadFile(files[i]), std::string("content of ") + kJunk[i].name);
        EXPECT_EQ(GetFileAttributesA(files[i].c_str()), kJunk[i].attributes) << files[i];
        EXPECT_FALSE(cleantest::FindInBin(bin.Get(), NameOf(files[i])));
    }
    EXPECT_FALSE(clean::MoveToRecycleBin(folder + "\\missing.txt"));
}

constexpr const char* kChildFiles = "JS_RECYCLE_CHILD_FILES";
constexpr const char* kChildTest = "RecycleChild.DISABLED_FilesStayWhenTheBinCannotTakeThem";

// Runs in a second process of this test program (started below with a bin
// that cannot be used; Wine settles where its bin is once per process).
TEST(RecycleChild, DISABLED_FilesStayWhenTheBinCannotTakeThem) {
    char joined[4096] = {};
    ASSERT_NE(GetEnvironmentVariableA(kChildFiles, joined, sizeof joined), 0u);
    clean::CleanList files;
    std::string rest = joined;
    for (size_t bar; (bar = rest.find('|')) != std::string::npos; rest.erase(0, bar + 1)) {
        files.push_back(rest.substr(0, bar));
    }
    cleantest::RecordingProgress progress;
    clean::StopFlag stop{0};
    clean::CleanOutcomes outcomes;
    clean::RecycleFiles(files, progress, stop, &outcomes);
    ASSERT_EQ(outcomes.size(), files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string& file = files[i].path;
        // A path longer than the shell takes is told apart.
        EXPECT_EQ(outcomes[i], platform::ExceedsShortPathLimit(file) ? clean::FileOutcome::NotBinnedLong
                                                                     : clean::FileOutcome::NotBinned)
            << file;
        EXPECT_TRUE(testsupport::ReadFileW(platform::ToWide(file))) << file;
        EXPECT_FALSE(clean::MoveToRecycleBin(file)) << file;
        EXPECT_TRUE(testsupport::ReadFileW(platform::ToWide(file))) << file;
    }
}

DWORD RunChild(const std::string& dataHome, const std::vector<std::string>& files) {
    std::string joined;
    for (const std::string& f : files) joined += f + "|";
    return testsupport::RunTestInChild(kChildTest, {{"XDG_DATA_HOME", dataHome}, {kChildFiles, joined}});
}

// The test bed lays two bins that cannot take a file below its
// XDG_DATA_HOME (scripts/lib/testbed.sh): in "no-trash" a file stands where
// the bin's folder belongs, in "no-files" where its files folder belongs.
// Wine's plain shell delete then deleted the files for good.
TEST(RecycleFiles, FilesStayInPlaceWhenTheBinCannotTakeThem) {
    char dataHome[4096] = {};
    if (GetEnvironmentVariableA("XDG_DATA_HOME", dataHome, sizeof dataHome) == 0) {
        GTEST_SKIP() << "needs the test bed's Wine bin";
    }
    for (const char* bin : {"no-trash", "no-files"}) {
        std::string folder = testsupport::NewScratchFolder(bin);
        std::vector<std::string> files = MakeJunk(folder, bin);
        // A file that has a second name already: losing one of its names is
        // a delete too.
        std::string linked = folder + "\\linked.tmp";
        testsupport::WriteFile(linked, "content of linked.tmp");
        ASSERT_TRUE(CreateHardLinkA((folder + "\\other-name.tmp").c_str(), linked.c_str(), nullptr));
        files.push_back(linked);
        std::vector<FILETIME> written;
        for (const std::string& f : files) {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            GetFileAttributesExA(f.c_str(), GetFileExInfoStandard, &data);
            written.push_back(data.ftLastWriteTime);
        }
        // And one deep below a long folder, past what the shell takes.
        const std::string deep = folder + "\\" + std::string(200, 'd') + "\\" + std::string(100, 'l') + ".tmp";
        testsupport::MakeFoldersLong(deep.substr(0, deep.find_last_of('\\')));
        testsupport::WriteFileLong(deep, "content of the deep file");
        std::vector<std::string> before = FolderContent(folder);
        std::vector<std::string> all = files;
        all.push_back(deep);

        EXPECT_EQ(RunChild(std::string(dataHome) + "/unusable-bins/" + bin, all), 0u) << bin;
        EXPECT_EQ(testsupport::ReadFileW(platform::ToWide(deep)).value_or("<gone>"), "content of the deep file");

        EXPECT_EQ(FolderContent(folder), before) << bin << ": nothing gone, nothing left behind";
        for (size_t i = 0; i < files.size(); ++i) {
            std::string name = i < kJunk.size() ? kJunk[i].name : "linked.tmp";
            EXPECT_EQ(ReadFile(files[i]), "content of " + name) << bin << " " << files[i];
            WIN32_FILE_ATTRIBUTE_DATA data{};
            GetFileAttributesExA(files[i].c_str(), GetFileExInfoStandard, &data);
            if (i < kJunk.size()) {
                EXPECT_EQ(data.dwFileAttributes, kJunk[i].attributes) << bin << " " << files[i];
            }
            EXPECT_EQ(CompareFileTime(&data.ftLastWriteTime, &written[i]), 0) << bin << " " << files[i];
        }
    }
}

// The shell's file-operation object (absent under Wine) asks the sink before
// each delete; the sink must refuse every delete that would not recycle.
TEST(RecycleOnlySink, RefusesDeletesThatWouldNotRecycleAndReportsArrivalInTheBin) {
    std::string folder = testsupport::NewScratchFolder("sink");
    platform::ComPtr<IShellItem> item;
    ASSERT_EQ(SHCreateItemFromParsingName(platform::ToWide(folder).c_str(), nullptr, IID_IShellItem,
                                          item.PutVoid()),
              S_OK);
    struct Case {
        DWORD flags;
        HRESULT result;
        bool inBin;
        bool allowed;
        bool recycled;
    } cases[] = {
        {TSF_DELETE_RECYCLE_IF_POSSIBLE, S_OK, true, true, true},
        {TSF_DELETE_RECYCLE_IF_POSSIBLE, S_OK, false, true, false},  // deleted for good after all
        {TSF_DELETE_RECYCLE_IF_POSSIBLE, E_ACCESSDENIED, false, true, false},
        {TSF_NORMAL, S_OK, true, false, false},  // would be deleted for good
    };
    for (const Case& c : cases) {
        clean::RecycleOnlySink sink;
        EXPECT_EQ(SUCCEEDED(sink.PreDeleteItem(c.flags, item.Get())), c.allowed) << c.flags;
        sink.PostDeleteItem(c.flags, item.Get(), c.result, c.inBin ? item.Get() : nullptr);
        EXPECT_EQ(sink.Recycled(), c.recycled) << c.flags << " " << c.result << " " << c.inBin;
    }
}

}  // namespace
