#pragma once
// Backup sets, drive snapshots and a message-box answerer for the rescue tests.
#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace rescuetest {

// Makes folder\name with the files (path below the set -> content); returns the set's path.
std::string MakeSet(const std::string& folder, const std::string& name,
                    const std::map<std::string, std::string>& files = {});

// What changed on d: and e: since construction: "+path", "-path", "~path".
class DriveChanges {
public:
    DriveChanges();
    std::vector<std::string> Now() const;

private:
    std::map<std::string, std::string> before_;
};

// Answers every message box the owner owns, from a thread of its own, and
// records the boxes' texts.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(HWND owner, int answer = IDOK);
    ~MessageBoxWatcher();
    void SetAnswer(int answer) { answer_ = answer; }
    std::vector<std::string> Texts();

private:
    HWND owner_;
    std::atomic<int> answer_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread thread_;
};

}  // namespace rescuetest
