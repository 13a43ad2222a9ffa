#pragma once
// Sinks that write down every call, for checking what a phase or a job
// showed and in which order.
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "clean/clean_engine.h"
#include "clean/clean_result.h"
#include "platform/job_control.h"

namespace cleantest {

class EventLog {
public:
    void Add(std::string event) {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.push_back(std::move(event));
    }
    std::vector<std::string> Events() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }
    // The texts of the status events, in order.
    std::vector<std::string> Statuses() const {
        std::vector<std::string> statuses;
        for (const std::string& e : Events()) {
            if (e.rfind("status ", 0) == 0) statuses.push_back(e.substr(7));
        }
        return statuses;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> events_;
};

class RecordingProgress : public clean::CleanProgress {
public:
    void SetStatus(const std::string& text) override { log_.Add("status " + text); }
    void SetPosition(int position) override { log_.Add("pos " + std::to_string(position)); }
    std::vector<std::string> Events() const { return log_.Events(); }
    std::vector<std::string> Statuses() const { return log_.Statuses(); }
    void Clear() { log_.Clear(); }

private:
    EventLog log_;
};

// Stands in for the cleaning page: holds the files a clean is to take, and
// logs every report the job makes as one event, then passes it to the
// hook, which a test uses to act at a given moment (press Stop, change the
// settings).
class RecordingSink : public platform::JobProgress {
public:
    explicit RecordingSink(clean::CleanList files = {}) : files_(std::move(files)) {}

    std::function<void(const std::string& event)> hook;

    void SetStatus(const std::string& text) override { Note("status " + text); }
    void SetCount(uint64_t count) override { Note("count " + std::to_string(count)); }
    void SetRange(uint32_t steps) override { Note("range " + std::to_string(steps)); }
    void SetPosition(int position) override { Note("pos " + std::to_string(position)); }

    const clean::CleanList& Files() const { return files_; }
    // The job's result, as the page takes it once the job has returned.
    void TakeResult(clean::CleanResult result) {
        result_ = std::move(result);
        log_.Add("result");
    }

    std::vector<std::string> Events() const { return log_.Events(); }
    std::vector<std::string> Statuses() const { return log_.Statuses(); }
    const clean::CleanResult& Result() const { return result_; }

private:
    void Note(std::string event) {
        log_.Add(event);
        if (hook) hook(event);
    }

    clean::CleanList files_;
    clean::CleanResult result_;
    EventLog log_;
};

}  // namespace cleantest
