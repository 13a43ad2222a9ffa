// The scan job without a window, run on the test's thread: a sink that
// records every call.
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

class RecordingSink : public scan::ScanSink {
public:
    std::vector<std::string> calls;
    std::vector<std::vector<scan::FoundFile>> reports;
    // Run inside SetStatus and EnableWizardButtons, on the job's thread.
    std::function<void(const std::string&)> onStatus;
    std::function<void()> onButtons;
    std::function<void(const std::string&)> onCount;

    void EnableWizardButtons(int mask) override {
        calls.push_back("buttons " + std::to_string(mask));
        if (onButtons) onButtons();
    }
    void SetStatus(const std::string& text) override {
        calls.push_back("status " + text);
        if (onStatus) onStatus(text);
    }
    void SetCountText(const std::string& text) override {
        calls.push_back("count " + text);
        if (onCount) onCount(text);
    }
    void EnableStop(bool enabled) override { calls.push_back(enabled ? "stop on" : "stop off"); }
    void FillReport(std::vector<scan::FoundFile>& findings) override {
        calls.push_back("fill " + std::to_string(findings.size()));
        reports.push_back(findings);
    }
    void ShowReportPage() override { calls.push_back("show report"); }

    bool Called(const std::string& call) const { return std::find(calls.begin(), calls.end(), call) != calls.end(); }
    std::vector<std::string> StatusesStartingWith(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& call : calls) {
            if (call.rfind("status " + prefix, 0) == 0) found.push_back(call.substr(7));
        }
        return found;
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
    "_ScanStopped=Stopped\r\n"
    "_FindFileCntTxtFormat=Found %d\r\n";

// A settings document; every factory value differs from its user value.
struct Settings {
    std::vector<std::string> paths;
    std::string junk = R"(<item checked="1" description="Temporary file" file="*.tmp"/>)";
    std::string skip;
    std::string search = R"(
      <SkipReadOnlyFiles default="1" custom="0"/><SkipHiddenFiles default="1" custom="0"/>
      <SkipSystemFiles default="1" custom="0"/><FindZeroLengthFiles default="1" custom="0"/>
      <FindInvalidShortcuts default="1" custom="0"/>
      <FindFilesHaveNotAccessed default="1" custom="0" monthdefault="0" month="6"/>)";

    std::string Xml() const {
        std::string selected;
        for (const std::string& p : paths) selected += "<PathItem name=\"" + p + "\"/>";
        return R"(<?xml version="1.0" encoding="utf-8"?><Config><Options><Search>)" + search +
               R"(</Search><JunkFiles><Default><item checked="1" description="Factory" file="*.*"/></Default><Custom>)" +
               junk + R"(</Custom></JunkFiles><SkipFolders><default><item checked="1" folder=""/></default><items>)" +
               skip + "</items></SkipFolders></Options><SelectDrive>" + selected + "</SelectDrive></Config>";
    }
};

Settings Selecting(std::vector<std::string> paths) {
    Settings settings;
    settings.paths = std::move(paths);
    return settings;
}

struct JobPlace : testsupport::ProgramPlace {
    explicit JobPlace(const Settings& settings) : ProgramPlace("job") {
        WriteSettings(settings.Xml());
        WriteFile(LanguagePath(), kLanguage);
    }
};

// Runs one scan to its end on this thread; the control is the job's.
void RunOnce(platform::JobControl& control, RecordingSink& sink) {
    scan::RunScan(sink, control);
    EXPECT_TRUE(control.Settled());
}

// The findings the report was filled with.
const std::vector<scan::FoundFile>& Reported(const RecordingSink& sink) { return sink.reports.at(0); }

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

std::vector<std::string> PathsOf(const std::vector<scan::FoundFile>& findings) {
    std::vector<std::string> paths;
    for (const auto& f : findings) paths.push_back(f.path);
    std::sort(paths.begin(), paths.end());
    return paths;
}

TEST(ScanJob, ReportsEveryStepInOrder) {
    std::string a = Tree("stepsA", {"one.tmp"});
    std::string b = Tree("stepsB", {"sub\\two.tmp", "keep.txt"});
    JobPlace place(Selecting({a, b}));
    platform::JobControl job;
    RecordingSink sink;
    RunOnce(job, sink);

    const std::vector<std::string> opening = {
        "buttons 0",     "count ",          "status Getting ready",    "stop on",           "status Loading paths",
        "status Loading types", "status Loading skips", "status Loading switches", "status Searching"};
    const std::vector<std::string> closing = {"status Listing", "fill 2",  "show report", "stop off",
                                              "status Completed", "buttons 3"};
    ASSERT_GT(sink.calls.size(), opening.size() + closing.size());
    EXPECT_EQ(std::vector<std::string>(sink.calls.begin(), sink.calls.begin() + opening.size()), opening);
    EXPECT_EQ(std::vector<std::string>(sink.calls.end() - closing.size(), sink.calls.end()), closing);

    // In between: the folders as they are entered, and the running count.
    std::vector<std::string> counts;
    for (const std::string& call : sink.calls) {
        if (call.rfind("count Found", 0) == 0) counts.push_back(call);
    }
    EXPECT_EQ(counts, (std::vector<std::string>{"count Found 1", "count Found 2"}));
    EXPECT_TRUE(sink.Called("status " + b + "\\sub"));
    EXPECT_FALSE(sink.Called("status " + a + "\\."));

    ASSERT_EQ(Reported(sink).size(), 2u);
    EXPECT_EQ(Reported(sink)[0].path, a + "\\one.tmp");  // the selected paths in their order
    EXPECT_EQ(Reported(sink)[1].path, b + "\\sub\\two.tmp");
    EXPECT_EQ(Reported(sink)[1].reason, "Temporary file");
    EXPECT_EQ(Reported(sink)[1].Name(), "two.tmp");
    EXPECT_EQ(PathsOf(sink.reports.at(0)), PathsOf(Reported(sink)));
}

TEST(ScanJob, StopDuringTheSecondOfThreePathsEndsTheWholeScan) {
    std::string first = Tree("stop1", {"a.tmp"});
    std::string second = Tree("stop2", {"b.tmp", "deeper\\c.tmp"});
    std::string third = Tree("stop3", {"d.tmp"});
    JobPlace place(Selecting({first, second, third}));
    platform::JobControl job;
    RecordingSink sink;
    sink.onStatus = [&](const std::string& text) {
        if (text.rfind(second + "\\", 0) == 0) job.RequestStop();
    };
    RunOnce(job, sink);

    EXPECT_TRUE(sink.StatusesStartingWith(third).empty());
    EXPECT_EQ(sink.calls.back(), "buttons 3");
    EXPECT_TRUE(sink.Called("status Stopped"));
    EXPECT_FALSE(sink.Called("status Completed"));
    EXPECT_TRUE(sink.Called("show report"));
    // What was found before the stop is listed, nothing after it.
    ASSERT_FALSE(Reported(sink).empty());
    EXPECT_EQ(Reported(sink)[0].path, first + "\\a.tmp");
    for (const auto& f : Reported(sink)) EXPECT_NE(f.path, third + "\\d.tmp");
    EXPECT_EQ(sink.reports.at(0).size(), Reported(sink).size());
}

// Thousands of findings reach the window at a human pace, yet the count it
// ends with is exact; a stop still takes effect at the next file.
TEST(ScanJob, AtAHumanPaceTheLastCountIsExactAndStopComesAtTheNextFile) {
    constexpr int kFolders = 20, kPerFolder = 100;
    std::string root = NewScratchFolder("paced");
    for (int folder = 0; folder < kFolders; ++folder) {
        std::string path = root + "\\sub" + std::to_string(folder);
        MakeFolders(path);
        for (int i = 0; i < kPerFolder; ++i) WriteFile(path + "\\f" + std::to_string(i) + ".tmp", "x");
    }
    constexpr int kFiles = kFolders * kPerFolder;
    {
        JobPlace place(Selecting({root}));
        platform::JobControl job;
        RecordingSink sink;
        RunOnce(job, sink);
        std::vector<std::string> counts;
        for (const std::string& call : sink.calls) {
            if (call.rfind("count Found", 0) == 0) counts.push_back(call);
        }
        ASSERT_FALSE(counts.empty());
        EXPECT_EQ(counts.back(), "count Found " + std::to_string(kFiles));
        EXPECT_LT(counts.size(), static_cast<size_t>(kFiles / 4));  // not one message per finding
        EXPECT_EQ(Reported(sink).size(), static_cast<size_t>(kFiles));
        EXPECT_TRUE(sink.Called("status Completed"));
    }
    {
        JobPlace place(Selecting({root}));
        platform::JobControl job;
        RecordingSink sink;
        // The first finding's count always shows at once.
        sink.onCount = [&](const std::string& text) {
            if (text.rfind("Found", 0) == 0) job.RequestStop();
        };
        RunOnce(job, sink);
        EXPECT_EQ(Reported(sink).size(), 1u);
        EXPECT_TRUE(sink.Called("status Stopped"));
    }
}

TEST(ScanJob, NothingSelectedCompletesWithAnEmptyReport) {
    JobPlace place(Settings{});
    platform::JobControl job;
    RecordingSink sink;
    RunOnce(job, sink);
    EXPECT_TRUE(Reported(sink).empty());
    EXPECT_TRUE(sink.Called("fill 0"));
    EXPECT_TRUE(sink.Called("show report"));
    EXPECT_TRUE(sink.Called("status Completed"));
}

TEST(ScanJob, OnlyCheckedUserEntriesAndUserSwitchesCount) {
    std::string root = Tree("switches", {"a.tmp", "a.log", "a.bak", "skipped\\b.tmp", "unskipped\\c.tmp", "old.dat"});
    WriteFile(root + "\\empty.dat", "");
    testsupport::SetAccessedDaysAgo(root + "\\old.dat", 40.5);
    Settings settings = Selecting({root});
    settings.junk = R"(<item checked="0" description="Unused" file="*.log"/>
        <item checked="1" description="First" file="*.tmp"/>
        <item checked="2" description="Second" file="*.tmp"/>
        <item description="No check attribute" file="*.bak"/>)";
    settings.skip = R"(<item checked="1" folder="\SKIPPED"/><item checked="0" folder="\unskipped"/>)";
    // Empty files and not-accessed on, with a month count of 0 (31 days).
    settings.search = R"(<FindZeroLengthFiles default="0" custom="1"/>
        <FindFilesHaveNotAccessed default="0" custom="1" monthdefault="9" month="0"/>)";
    JobPlace place(settings);
    platform::JobControl job;
    RecordingSink sink;
    RunOnce(job, sink);

    std::vector<std::pair<std::string, std::string>> got;
    for (const auto& f : Reported(sink)) got.emplace_back(f.path.substr(root.size() + 1), f.reason);
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<std::pair<std::string, std::string>>{
                       {"a.tmp", "Second"},
                       {"empty.dat", "Zero Length File (Empty File)"},
                       {"old.dat", "Have Not Accessed"},
                       {"unskipped\\c.tmp", "Second"}}));
}

TEST(ScanJob, WithoutSettingsOrLanguageFilesTheScanCompletesEmpty) {
    testsupport::ProgramPlace place("jobnofiles");
    platform::JobControl job;
    RecordingSink sink;
    RunOnce(job, sink);
    EXPECT_TRUE(Reported(sink).empty());
    EXPECT_TRUE(sink.Called("status _stLoadlist"));
    EXPECT_TRUE(sink.Called("status _ScanCompleted"));
    EXPECT_TRUE(sink.Called("fill 0"));
    EXPECT_EQ(sink.calls.back(), "buttons 3");
}

TEST(ScanJob, ASecondRunStartsFromScratchWithFreshSettings) {
    std::string root = Tree("again", {"a.tmp", "b.tmp", "c.bak"});
    Settings settings = Selecting({root});
    JobPlace place(settings);
    platform::JobControl job;
    RecordingSink first;
    RunOnce(job, first);
    EXPECT_EQ(Reported(first).size(), 2u);

    settings.junk = R"(<item checked="1" description="Backup" file="*.bak"/>)";
    place.WriteSettings(settings.Xml());
    RecordingSink second;
    RunOnce(job, second);
    ASSERT_EQ(Reported(second).size(), 1u);
    EXPECT_EQ(Reported(second)[0].path, root + "\\c.bak");
    EXPECT_TRUE(second.Called("count Found 1"));
    EXPECT_FALSE(second.Called("count Found 2"));
    EXPECT_EQ(first.reports.at(0).size(), 2u);  // the first report kept its own copies
}

// The owner going away while the job has not yet cleared the stop request
// of an earlier run: the request to close is never cleared, so the job ends
// at once, as a stopped one, with an empty report.
TEST(ScanJob, AnOwnerGoingAwayStopsTheJobEvenBeforeItBegins) {
    std::string root = Tree("destroy", {"a\\1.tmp", "b\\2.tmp", "c\\3.tmp"});
    JobPlace place(Selecting({root}));
    platform::JobControl job;
    RecordingSink sink;
    bool closed = false;
    sink.onButtons = [&] {
        if (!closed) job.RequestClose();
        closed = true;
    };
    RunOnce(job, sink);
    EXPECT_EQ(sink.calls.back(), "buttons 3");
    EXPECT_TRUE(sink.Called("status Stopped"));
    EXPECT_TRUE(sink.reports.at(0).empty());
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
    JobPlace place(Selecting({"work", "", "d:work", "\\\\server", real}));
    platform::JobControl job;
    RecordingSink sink;
    RunOnce(job, sink);
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(PathsOf(Reported(sink)), std::vector<std::string>({real + "\\c.tmp"}));
}

}  // namespace
