// The worker-job runner: one work at a time until its owner joins it, the
// stop request, the exception fence, and shutting down.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/worker_job.h"

namespace {

// Holds a work at a point until released.
class Gate {
public:
    void Enter() {
        std::unique_lock<std::mutex> lock(mutex_);
        entered_ = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return open_; });
    }
    void WaitUntilEntered() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return entered_; });
    }
    void Open() {
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool entered_ = false;
    bool open_ = false;
};

// Waits (without a fixed time) until the condition holds.
template <typename Condition>
bool WaitFor(Condition condition) {
    for (int i = 0; i < 60000 && !condition(); ++i) ::Sleep(1);
    return condition();
}

TEST(WorkerJob, RunsOneWorkAtATimeUntilItIsJoined) {
    ui::WorkerJob job;
    EXPECT_FALSE(job.Busy());
    Gate gate;
    std::atomic<int> returned{0}, secondRuns{0};
    std::vector<std::string> steps;
    ASSERT_TRUE(job.Start(
        [&](const platform::StopFlag& stop) {
            gate.Enter();
            steps.push_back(platform::StopRequested(stop) ? "stop seen" : "no stop");
        },
        [&] { ++returned; }));
    gate.WaitUntilEntered();
    EXPECT_TRUE(job.Busy());
    EXPECT_FALSE(job.Start([&](const platform::StopFlag&) { ++secondRuns; })) << "a second start is ignored";
    job.RequestStop();
    gate.Open();
    ASSERT_TRUE(WaitFor([&] { return returned == 1; }));
    EXPECT_TRUE(job.Busy()) << "returned, but not yet joined: its owner has not taken what it left";
    EXPECT_FALSE(job.Start([&](const platform::StopFlag&) { ++secondRuns; }));
    job.Join();
    EXPECT_FALSE(job.Busy());
    EXPECT_EQ(steps, (std::vector<std::string>{"stop seen"}));
    EXPECT_EQ(secondRuns, 0);

    // Once joined, a new start runs, without the old stop request.
    std::atomic<bool> stopLeft{true};
    ASSERT_TRUE(job.Start([&](const platform::StopFlag& stop) { stopLeft = platform::StopRequested(stop); },
                          [&] { ++returned; }));
    ASSERT_TRUE(WaitFor([&] { return returned == 2; }));
    job.Join();
    EXPECT_FALSE(stopLeft);
}

TEST(WorkerJob, AWorkThatThrowsEndsAsOneThatReturned) {
    ui::WorkerJob job;
    std::atomic<bool> returned{false};
    ASSERT_TRUE(job.Start([](const platform::StopFlag&) { throw std::runtime_error("out of luck"); },
                          [&] { returned = true; }));
    ASSERT_TRUE(WaitFor([&] { return returned.load(); }));
    job.Join();
    EXPECT_FALSE(job.Busy());
}

// Shutting down stops the work and joins it, from a thread that serves no
// messages meanwhile: the work never waits for its owner. A work started
// afterwards ends at once, as the stop stays requested.
TEST(WorkerJob, ShuttingDownStopsAndJoinsAndLaterWorksStartStopped) {
    std::atomic<bool> sawStop{false}, finished{false};
    {
        ui::WorkerJob job;
        Gate gate;
        ASSERT_TRUE(job.Start([&](const platform::StopFlag& stop) {
            gate.Enter();
            while (!platform::StopRequested(stop)) ::Sleep(1);
            sawStop = true;
        }));
        gate.WaitUntilEntered();
        gate.Open();
        job.ShutDown();
        EXPECT_TRUE(sawStop);
        EXPECT_FALSE(job.Busy());
        std::atomic<bool> stopSeen{false};
        ASSERT_TRUE(job.Start([&](const platform::StopFlag& stop) { stopSeen = platform::StopRequested(stop); }));
        job.ShutDown();
        EXPECT_TRUE(stopSeen);

        // Destroying the runner waits for a work that does not look at the stop.
        ASSERT_TRUE(job.Start([&](const platform::StopFlag&) {
            ::Sleep(50);
            finished = true;
        }));
    }
    EXPECT_TRUE(finished);
}

}  // namespace
