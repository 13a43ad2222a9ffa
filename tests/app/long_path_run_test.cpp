// Junk deep below long folders, or below folders named in any script, is
// found, cleaned, backed up, logged and restored by an unattended run of the
// real program exactly like junk at a short path; the file beside it stays.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "config/config_document.h"
#include "platform/codepage.h"
#include "platform/handle.h"
#include "program_runner.h"
#include "run_settings.h"
#include "rescue/restore.h"
#include "support/scratch.h"
#include "support/text_lines.h"

namespace {

using apptest::ProgramCopy;
using apptest::RunningProgram;

using Mode = apptest::CleanWay;

struct RunCase {
    const char* label;
    Mode mode;
    bool backup;
};

const RunCase kCases[] = {
    {"delete", Mode::Delete, false},          {"backup+delete", Mode::Delete, true},
    {"recycle", Mode::Recycle, false},        {"backup+recycle", Mode::Recycle, true},
    {"move", Mode::Move, false},              {"backup+move", Mode::Move, true},
};

// One junk file and the precious file beside it.
struct Place {
    std::string junk;
    std::string precious;
};

std::string Utf8Repeat(const char* character, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) text += character;
    return text;
}

size_t Units(const std::string& path) { return platform::ToWide(path).size(); }

// A folder below root whose file name makes a path of exactly length UTF-16
// units, in levels of at most 200 characters.
std::string FolderFor(const std::string& root, size_t length, const std::string& name) {
    std::string folder = root;
    const size_t want = length - name.size() - 1;
    for (char letter = 'a'; folder.size() < want; ++letter) {
        size_t room = want - folder.size() - 1;
        size_t take = std::min<size_t>(room, 200);
        if (room > take && room - take < 2) take -= 2;  // no empty level after it
        folder += "\\" + std::string(take, letter);
    }
    return folder;
}

std::vector<Place> LayJunk(const std::string& root) {
    std::vector<Place> places;
    for (size_t length : {150, 250, 300, 1000}) {
        const std::string name = "junk-" + std::to_string(length) + ".tmp";
        const std::string folder = FolderFor(root, length, name);
        places.push_back({folder + "\\" + name, folder + "\\keep-" + std::to_string(length) + ".txt"});
        EXPECT_EQ(Units(places.back().junk), length);
    }
    // 100 Chinese characters: four folders of 24 and a name of four.
    std::string folder = root;
    for (const char* character : {"\xE6\xB7\xB1", "\xE5\xB1\x82", "\xE7\x9B\xAE", "\xE5\xBD\x95"}) {
        folder += "\\" + Utf8Repeat(character, 24);
    }
    places.push_back({folder + "\\\xE5\x9E\x83\xE5\x9C\xBE\xE6\x96\x87\xE4\xBB\xB6.tmp",
                      folder + "\\\xE9\x87\x8D\xE8\xA6\x81.txt"});
    for (const Place& place : places) {
        testsupport::MakeFoldersLong(place.junk.substr(0, place.junk.find_last_of('\\')));
        testsupport::WriteFileLong(place.junk, "junk " + place.junk);
        testsupport::WriteFileLong(place.precious, "precious " + place.precious);
    }
    return places;
}

std::optional<std::string> Read(const std::string& path) { return testsupport::ReadFileW(platform::ToWide(path)); }

std::vector<std::string> EntriesOf(const std::string& folder, bool folders) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry{};
    platform::FindHandle find(::FindFirstFileW(platform::ToWide("\\\\?\\" + folder + "\\*").c_str(), &entry));
    if (!find) return names;
    do {
        std::string name = platform::ToNarrow(entry.cFileName);
        if (name != "." && name != ".." && ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folders) {
            names.push_back(name);
        }
    } while (::FindNextFileW(find.Get(), &entry));
    return names;
}

void Configure(const ProgramCopy& copy, const RunCase& run, const std::string& root, const std::string& target) {
    config::ConfigDocument doc;
    ASSERT_TRUE(doc.Open(copy.SettingsPath()));
    apptest::SetCleanWay(doc, run.mode, run.backup, target);
    ASSERT_TRUE(apptest::AddToSelection(doc, root));
    ASSERT_TRUE(doc.Save());
}

TEST(LongPathRun, JunkAtAnyLengthAndInAnyScriptIsCleanedBackedUpLoggedAndRestored) {
    for (const RunCase& run : kCases) {
        SCOPED_TRACE(run.label);
        const std::string root = testsupport::NewScratchFolder("long", 'e');
        const std::string target = testsupport::NewScratchFolder("long-moved", 'e');
        const std::vector<Place> places = LayJunk(root);
        ProgramCopy copy("long-app");
        Configure(copy, run, root, target);

        RunningProgram program(copy, "/auto /hide");
        ASSERT_TRUE(program.Started());
        EXPECT_EQ(program.WaitForExit(180000), 2);

        const std::string logs = copy.Folder() + "\\Data\\ToolJunkSweep\\Logs";
        const std::vector<std::string> logNames = EntriesOf(logs, false);
        ASSERT_EQ(logNames.size(), 1u);
        const auto rows = testsupport::TabRowsOf(*Read(logs + "\\" + logNames[0]));
        size_t cleaned = 0;
        for (const Place& place : places) {
            SCOPED_TRACE(Units(place.junk));
            // The shell's bin takes no path beyond 259 units: such a file
            // stays, and the log says why.
            const bool refused = run.mode == Mode::Recycle && Units(place.junk) > 259;
            cleaned += !refused;
            EXPECT_EQ(Read(place.junk).has_value(), refused);
            EXPECT_EQ(Read(place.precious).value_or("<gone>"), "precious " + place.precious);
            auto row = std::find_if(rows.begin(), rows.end(),
                                    [&](const auto& r) { return r.size() >= 5 && r[0] == place.junk; });
            if (row == rows.end()) {
                ADD_FAILURE() << "not in the log";
                continue;
            }
            EXPECT_EQ((*row)[3] + " " + (*row)[4], refused ? "failed bin-path-too-long" : "cleaned ");
        }
        ASSERT_FALSE(rows.empty());
        ASSERT_GE(rows.back().size(), 3u);
        EXPECT_EQ(rows.back()[2], "cleaned=" + std::to_string(cleaned));
        if (run.mode == Mode::Move) {
            EXPECT_EQ(EntriesOf(target, false).size(), places.size());
        }
        if (!run.backup) continue;

        const std::string backup = copy.Folder() + "\\Data\\ToolJunkSweep\\Backup";
        const std::vector<std::string> sets = EntriesOf(backup, true);
        ASSERT_EQ(sets.size(), 1u);
        const std::string set = backup + "\\" + sets[0];
        for (const Place& place : places) {
            EXPECT_EQ(Read(set + "\\e" + place.junk.substr(2)), "junk " + place.junk) << Units(place.junk);
        }
        const rescue::RestoreOutcome restored = rescue::RestoreSet(set);
        EXPECT_EQ(restored.restored, places.size());
        EXPECT_EQ(restored.failed + restored.noTarget, 0u);
        EXPECT_TRUE(restored.setRemoved);
        for (const Place& place : places) {
            EXPECT_EQ(Read(place.junk).value_or("<missing>"), "junk " + place.junk) << Units(place.junk);
        }
    }
}

}  // namespace
