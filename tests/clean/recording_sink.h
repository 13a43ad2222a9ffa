#pragma once
// Sinks that write down every call, for checking what a phase or a job
// showed and in which order.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "clean/clean_job.h"

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

// Stands in for the cleaning page. Every call is logged as one event and
// then passed to the hook, which a test uses to act at a given moment (press
// Stop, change the settings, try a second start).
class RecordingSink : public clean::CleanSink {
public:
    explicit RecordingSink(clean::CleanList files = {}) : files_(std::move(files)) {}

    std::function<void(const std::string& event)> hook;

    void SetStatus(const std::string& text) override { Note("status " + text); }
    void SetPosition(int position) override { Note("pos " + std::to_string(position)); }
    void EnableWizardButtons(int mask) override { Note("buttons " + std::to_string(mask)); }
    void EnableStop(bool enabled) override { Note(enabled ? "stop on" : "stop off"); }
    clean::CleanList CollectTickedFiles() override {
        Note("collect");
        return files_;
    }
    void SetRange(uint32_t count) override {
        range_ = count;
        Note("range " + std::to_string(count));
    }
    uint32_t RangeUpper() override { return range_; }
    void ReportResult(clean::CleanResult& result) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            result_ = result;
        }
        Note("result");
    }
    void ShowFinishPage() override {
        Note("finish");
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
        done_.notify_all();
    }

    // Waits for the finish page; false after the timeout.
    bool WaitForFinish(std::chrono::seconds timeout = std::chrono::seconds(60)) {
        std::unique_lock<std::mutex> lock(mutex_);
        return done_.wait_for(lock, timeout, [&] { return finished_; });
    }

    std::vector<std::string> Events() const { return log_.Events(); }
    std::vector<std::string> Statuses() const { return log_.Statuses(); }
    // The result the job reported last.
    clean::CleanResult Result() {
        std::lock_guard<std::mutex> lock(mutex_);
        return result_;
    }

private:
    void Note(std::string event) {
        log_.Add(event);
        if (hook) hook(event);
    }

    clean::CleanList files_;
    clean::CleanResult result_;
    uint32_t range_ = 0;
    EventLog log_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
};

}  // namespace cleantest
