#pragma once
// A progress sink that writes down every call, for checking what a phase or
// a job showed and in which order.
#include <mutex>
#include <string>
#include <vector>

#include "clean/clean_job.h"

namespace cleantest {

class RecordingProgress : public clean::CleanProgress {
public:
    void SetStatus(const std::string& text) override { Add("status " + text); }
    void SetPosition(int position) override { Add("pos " + std::to_string(position)); }

    std::vector<std::string> Events() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }
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

protected:
    void Add(std::string event) {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.push_back(std::move(event));
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> events_;
};

}  // namespace cleantest
