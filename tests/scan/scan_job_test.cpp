// The scan job without a window, run on the test's thread: a request made
// by the test, and a progress that records every report.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "scan/scan_job.h"
#include "support/scratch.h"

namespace {

using testsupport::MakeFolders;
using testsupport::NewScratchFolder;
using testsupport::WriteFile;

class RecordingProgress : public platform::JobProgress {
public:
    std::vector<std::string> calls;
    // Run inside SetStatus and SetCount, on the job's thread.
    std::function<void(const std::string&)> onStatus;
    std::function<void(uint64_t)> onCount;

    void SetStatus(const std::string& text) override {
        calls.push_back("status " + text);
        if (onStatus) onStatus(text);
    }
    void SetCount(uint64_t count) override {
        calls.push_back("count " + std::to_string(count));
        if (onCount) onCount(count);
    }
    void SetRange(uint32_t steps) override { calls.push_back("range " + std::to_string(steps)); }
    void SetPosition(int position) override { calls.push_back("pos " + std::to_string(position)); }

    bool Called(const std::string& call) const { return std::find(calls.begin(), calls.end(), call) != calls.end(); }
    std::vector<std::string> Counts() const {
        std::vector<std::string> counts;
        for (const std::string& call : calls) {
            if (call.rfind("count ", 0) == 0) counts.push_back(call);
        }
        return counts;
    }
};

const char kLanguage[] =
    "[String]\r\n"
    "_stStartScanFolder=Getting ready\r\n"
    "_stLoadlist=Loading paths\r\n"
    "_stLoadcategorylist=Loading types\r\n"
    "_stLoadSkipfolders=Loading skips\r\n"
    "_stLoadotherparams=Loading switches\r\n"
    "_stStartSearingDisk=Searching\r\n"
    "_stSortingFile=Listing\r\n"
    "_ScanCompleted=Completed\r\n"
    "_ScanStopped=Stopped\r\n";

struct JobPlace : testsupport::ProgramPlace {
    JobPlace() : ProgramPlace("job") { WriteFile(LanguagePath(), kLanguage); }
};

scan::ScanRequest Selecting(std::vector<std::string> paths) {
    scan::ScanRequest request;
    request.paths = std::move(paths);
    request.junkTypes = {{"*.tmp", "Temporary file"}};
    return request;
}

// A folder with the given files (paths below it), each holding one byte.
std::string Tree(const char* hint, std::initializer_list<const char*> files) {
    std::string root = NewScratchFolder(hint);
    for (const char* name : files) {
        std::string path = root + "\\" + name;
        MakeFolders(path.substr(0, path.rfind('\\')));
        WriteFile(path, "x");
    }
    return root;
}

std::vector<std::string> PathsOf(const scan::Findings& findings) {
    std::vector<std::string> paths;
    for (size_t i = 0; i < findings.Count(); ++i) paths.push_back(findings.Path(i));
    return paths;
}

TEST(ScanJob, ReportsEveryStepInOrderAndHandsBackTheFindingsInTheSelectionsOrder) {
    std::string a = Tree("stepsA", {"one.tmp"});
    std::string b = Tree("stepsB", {"sub\\two.tmp", "keep.txt"});
    JobPlace place;
    RecordingProgress progress;
    platform::StopFlag stop{0};
    const scan::ScanResult result = scan::RunScan(Selecting({a, b}), progress, stop);

    const std::vector<std::string> opening = {"status Getting ready",    "status Loading paths",
                                              "status Loading types",    "status Loading skips",
                                              "status Loading switches", "status Searching"};
    const std::vector<std::string> closing = {"count 2", "status Listing", "status Completed"};
    ASSERT_GT(progress.calls.size(), opening.size() + closing.size());
    EXPECT_EQ(std::vector<std::string>(progress.calls.begin(), progress.calls.begin() + opening.size()), opening);
    EXPECT_EQ(std::vector<std::string>(progress.calls.end() - closing.size(), progress.calls.end()), closing);
    // In between: the folders as they are entered, and the running count.
    EXPECT_EQ(progress.Counts(), (std::vector<std::string>{"count 1", "count 2"}));
    EXPECT_TRUE(progress.Called("status " + b + "\\sub"));

    EXPECT_TRUE(result.completed);
    EXPECT_EQ(PathsOf(result.findings), (std::vector<std::string>{a + "\\one.tmp", b + "\\sub\\two.tmp"}));
    EXPECT_EQ(result.findings.FoundAs(1), "Temporary file");
    EXPECT_EQ(result.findings.Name(1), "two.tmp");
    EXPECT_EQ(result.findings.Listed(1).size, 1u);
}

TEST(ScanJob, StopDuringTheSecondOfThreePathsEndsTheWholeScanWithWhatWasFound) {
    std::string first = Tree("stop1", {"a.tmp"});
    std::string second = Tree("stop2", {"b.tmp", "deeper\\c.tmp"});
    std::string third = Tree("stop3", {"d.tmp"});
    JobPlace place;
    RecordingProgress progress;
    platform::StopFlag stop{0};
    progress.onStatus = [&](const std::string& text) {
        if (text.rfind(second + "\\", 0) == 0) stop = 1;
    };
    const scan::ScanResult result = scan::RunScan(Selecting({first, second, third}), progress, stop);

    EXPECT_FALSE(result.completed);
    EXPECT_EQ(progress.calls.back(), "status Stopped");
    EXPECT_FALSE(progress.Called("status Completed"));
    for (const std::string& call : progress.calls) EXPECT_EQ(call.rfind("status " + third, 0), std::string::npos);
    // What was found before the stop is kept, nothing after it.
    const std::vector<std::string> paths = PathsOf(result.findings);
    ASSERT_FALSE(paths.empty());
    EXPECT_EQ(paths[0], first + "\\a.tmp");
    EXPECT_EQ(std::count(paths.begin(), paths.end(), third + "\\d.tmp"), 0);
}

// Thousands of findings are reported at a human pace, yet the count ends
// exact; a stop still takes effect at the next file, and one requested
// before the scan begins ends it at once.
TEST(ScanJob, AtAHumanPaceTheLastCountIsExactAndStopComesAtTheNextFile) {
    constexpr int kFolders = 20, kPerFolder = 100;
    std::string root = NewScratchFolder("paced");
    for (int folder = 0; folder < kFolders; ++folder) {
        std::string path = root + "\\sub" + std::to_string(folder);
        MakeFolders(path);
        for (int i = 0; i < kPerFolder; ++i) WriteFile(path + "\\f" + std::to_string(i) + ".tmp", "x");
    }
    constexpr int kFiles = kFolders * kPerFolder;
    JobPlace place;
    struct Case {
        const char* label;
        bool stopAtFirstCount;
        bool stopBefore;
        size_t found;
    } cases[] = {
        {"to the end", false, false, kFiles},
        {"stop at the first count", true, false, 1},
        {"stopped before it began", false, true, 0},
    };
    for (const Case& c : cases) {
        RecordingProgress progress;
        platform::StopFlag stop{c.stopBefore ? 1 : 0};
        // The first finding's count always shows at once.
        if (c.stopAtFirstCount) progress.onCount = [&](uint64_t) { stop = 1; };
        const scan::ScanResult result = scan::RunScan(Selecting({root}), progress, stop);
        EXPECT_EQ(result.findings.Count(), c.found) << c.label;
        EXPECT_EQ(result.completed, c.found == kFiles) << c.label;
        const std::vector<std::string> counts = progress.Counts();
        if (c.found > 0) {
            ASSERT_FALSE(counts.empty()) << c.label;
            EXPECT_EQ(counts.back(), "count " + std::to_string(c.found)) << c.label;
        }
        EXPECT_LT(counts.size(), static_cast<size_t>(kFiles / 4)) << "not one report per finding";
    }
}

TEST(ScanJob, SearchesOnlyTheCheckedTypesSkipsAndSwitchesItIsGiven) {
    std::string root = Tree("switches", {"a.tmp", "a.log", "skipped\\b.tmp", "unskipped\\c.tmp", "old.dat"});
    WriteFile(root + "\\empty.dat", "");
    testsupport::SetAccessedDaysAgo(root + "\\old.dat", 40.5);
    scan::ScanRequest request = Selecting({root});
    request.skipFolders = {"\\SKIPPED"};
    // Empty files and not-accessed on, with a month count of 0 (31 days).
    request.switches.findEmptyFiles = true;
    request.switches.findNotAccessed = true;
    JobPlace place;
    RecordingProgress progress;
    platform::StopFlag stop{0};
    const scan::ScanResult result = scan::RunScan(request, progress, stop);

    std::vector<std::pair<std::string, std::string>> got;
    for (size_t i = 0; i < result.findings.Count(); ++i) {
        got.emplace_back(result.findings.Path(i).substr(root.size() + 1), result.findings.FoundAs(i));
    }
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<std::pair<std::string, std::string>>{
                       {"a.tmp", "Temporary file"},
                       {"empty.dat", "Zero Length File (Empty File)"},
                       {"old.dat", "Have Not Accessed"},
                       {"unskipped\\c.tmp", "Temporary file"}}));
}

TEST(ScanJob, WithNothingSelectedAndNoLanguageFileTheScanCompletesEmpty) {
    testsupport::ProgramPlace place("jobnofiles");
    RecordingProgress progress;
    platform::StopFlag stop{0};
    const scan::ScanResult result = scan::RunScan(scan::ScanRequest{}, progress, stop);
    EXPECT_TRUE(result.completed);
    EXPECT_TRUE(result.findings.Empty());
    EXPECT_TRUE(progress.Called("status _stLoadlist")) << "a text without its language shows its key";
    EXPECT_EQ(progress.calls.back(), "status _ScanCompleted");
}

// A stored entry that is not a drive path would be searched relative to
// whatever the current folder is (an empty one lists the current drive's
// root), and its files could have no place in a backup.
TEST(ScanJob, SearchesOnlyDriveRootsAndAbsolutePathsOfTheSelection) {
    std::string here = Tree("relative", {"work\\a.tmp", "b.tmp"});
    std::string real = Tree("absolute", {"c.tmp"});
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(here.c_str()));
    JobPlace place;
    RecordingProgress progress;
    platform::StopFlag stop{0};
    const scan::ScanResult result = scan::RunScan(Selecting({"work", "", "d:work", "\\\\server", real}), progress, stop);
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(PathsOf(result.findings), std::vector<std::string>({real + "\\c.tmp"}));
}

}  // namespace
