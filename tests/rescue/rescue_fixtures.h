#pragma once
// Backup sets, odd file names and whole-drive snapshots for the rescue tests.
#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace rescuetest {

struct SetFile {
    std::string relative;  // below the set folder, e.g. "E\docs\a.txt"
    std::string content;
};

// Makes root\name with the given files and returns the set's path.
std::string MakeSet(const std::string& root, const std::string& name, const std::vector<SetFile>& files);

// Every file below the folder with its content, and every folder (content
// "<dir>"), keyed by full path.
std::map<std::string, std::string> Snapshot(const std::string& folder);

// Entries of the two scratch drives that differ between two snapshots.
std::vector<std::string> Differences(const std::map<std::string, std::string>& before,
                                     const std::map<std::string, std::string>& after);

// Snapshot of d: and e: together.
std::map<std::string, std::string> SnapshotDrives();

// Answers the message boxes that a window of this process owns, from a
// thread of its own, and records their texts.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(HWND owner, int answer = IDOK);
    ~MessageBoxWatcher();
    void SetAnswer(int answer) { answer_ = answer; }
    std::vector<std::string> Texts();

private:
    void Watch();
    HWND owner_;
    std::atomic<int> answer_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread thread_;
};

}  // namespace rescuetest
