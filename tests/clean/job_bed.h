#pragma once
// The clean job's test bed: settings documents that switch its phases and
// trace cleaners, the run-history key that stands for "a trace cleaner ran",
// and the job run to its end on the test's thread with a plan made from
// them.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "clean/clean_job.h"
#include "config/job_requests.h"
#include "config/settings_paths.h"
#include "recording_sink.h"
#include "support/scratch.h"
#include "support/settings_xml.h"

namespace cleantest {

struct JobSettings {
    int backup = 0;
    int clean = 0;
    int recycle = 0;
    int move = 0;
    std::string movePath;
    std::vector<int> cleaners;  // trace cleaners switched on, by number

    JobSettings& Backup() { return backup = 1, *this; }
    JobSettings& Delete() { return clean = 1, *this; }
    JobSettings& Recycle() { return recycle = 1, *this; }
    JobSettings& Move(std::string path) { return move = 1, movePath = std::move(path), *this; }
    JobSettings& Cleaners(std::vector<int> numbers) { return cleaners = std::move(numbers), *this; }
};

// The setting's element, named by the last step of its path.
inline std::string ElementFor(std::string_view path, const std::string& custom) {
    return testsupport::SettingXml(path.substr(path.rfind('/') + 1), custom);
}

inline std::string SettingsXmlFor(const JobSettings& s) {
    namespace p = config::path;
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Config><Options><CleanOpt>";
    xml += ElementFor(p::kClean, std::to_string(s.clean));
    xml += ElementFor(p::kMoveToRecycle, std::to_string(s.recycle));
    xml += ElementFor(p::kMoveToFolder, std::to_string(s.move));
    xml += ElementFor(p::kMoveToFolderPath, s.movePath);
    xml += ElementFor(p::kBackup, std::to_string(s.backup));
    xml += "</CleanOpt>";
    config::AdvCleanOptions traces{};
    for (int n : s.cleaners) traces.at(static_cast<size_t>(n - 1)) = 1;
    xml += testsupport::TraceSwitchesXml(traces);
    xml += "</Options></Config>\n";
    return xml;
}

inline void WriteSettings(const testsupport::ProgramPlace& place, const JobSettings& s) {
    place.WriteSettings(SettingsXmlFor(s));
}

// The run-history key stands for "this trace cleaner ran".
inline const char* const kRunMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

inline void MakeRunHistory() {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kRunMru, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, "a", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
    RegCloseKey(key);
}

inline bool RunHistoryLeft() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunMru, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The stop request of a clean run on the test's thread; the owner hears of
// every file when paceMs is 0.
struct Job {
    explicit Job(uint64_t paceMs = platform::kHumanPaceMs) : paceMs(paceMs) {}
    void RequestStop() { stop = 1; }

    platform::StopFlag stop{0};
    uint64_t paceMs;
};

// Runs one clean to its end on the test's thread, started as the cleaning
// page starts one: its plan takes the sink's files and the settings as they
// are now. The result goes to the sink; true once the job has returned.
inline bool RunJob(Job& job, RecordingSink& sink, clean::CleanKind kind = clean::CleanKind::Real) {
    clean::CleanPlan plan{sink.Files(), config::LoadCleanSettings(), kind, {}};
    sink.TakeResult(clean::RunClean(std::move(plan), sink, job.stop, job.paceMs));
    return true;
}

}  // namespace cleantest
