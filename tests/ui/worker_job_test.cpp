// The worker-job runner: one work at a time, its running and busy states,
// the exception fence, and shutting down while the work still sends this
// thread messages.
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

TEST(WorkerJob, RunsOneWorkAtATimeAndTellsWhenItHasReturned) {
    ui::WorkerJob job;
    EXPECT_FALSE(job.Running());
    EXPECT_FALSE(job.Busy());
    Gate gate;
    std::atomic<int> ended{0}, secondRuns{0};
    std::vector<std::string> steps;
    ASSERT_TRUE(job.Start(
        [&](platform::JobControl& control) {
            gate.Enter();
            steps.push_back(control.StopRequested() ? "stop seen" : "no stop");
            control.Settle();
            steps.push_back("settled");
        },
        [&] { ++ended; }));
    gate.WaitUntilEntered();
    EXPECT_TRUE(job.Running());
    EXPECT_TRUE(job.Busy());
    EXPECT_FALSE(job.Start([&](platform::JobControl&) { ++secondRuns; })) << "a second start is ignored";
    job.RequestStop();
    gate.Open();
    ASSERT_TRUE(WaitFor([&] { return ended == 1; }));
    EXPECT_FALSE(job.Busy());
    EXPECT_FALSE(job.Running());
    EXPECT_EQ(steps, (std::vector<std::string>{"stop seen", "settled"}));
    EXPECT_EQ(secondRuns, 0);

    // Once the work has returned, a new start runs.
    ASSERT_TRUE(job.Start([&](platform::JobControl&) { ++secondRuns; }, [&] { ++ended; }));
    ASSERT_TRUE(WaitFor([&] { return ended == 2; }));
    EXPECT_EQ(secondRuns, 1);
}

TEST(WorkerJob, AWorkThatThrowsEndsAsOneThatReturned) {
    ui::WorkerJob job;
    std::atomic<bool> ended{false};
    ASSERT_TRUE(job.Start([](platform::JobControl&) { throw std::runtime_error("out of luck"); },
                          [&] { ended = true; }));
    ASSERT_TRUE(WaitFor([&] { return ended.load(); }));
    EXPECT_FALSE(job.Busy());
    EXPECT_FALSE(job.Running()) << "a work that never settled counts as settled once it is over";
}

// The work sends this thread a message while this thread shuts the job down:
// shutting down carries the message out instead of waiting for ever.
TEST(WorkerJob, ShuttingDownServesTheMessagesTheWorkStillSends) {
    HWND window = ::CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    std::atomic<int> sent{0};
    std::vector<std::string> texts;
    {
        ui::WorkerJob job;
        Gate gate;
        ASSERT_TRUE(job.Start([&](platform::JobControl& control) {
            gate.Enter();
            while (!control.StopRequested()) ::Sleep(1);
            // Stopped: its last reports still go to the window.
            ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("last words"));
            ++sent;
        }));
        gate.WaitUntilEntered();
        gate.Open();
        job.ShutDown();
        EXPECT_EQ(sent, 1);
        EXPECT_FALSE(job.Busy());
        // A start after shutting down ends at once: the stop stays requested.
        std::atomic<bool> stopSeen{false};
        ASSERT_TRUE(job.Start([&](platform::JobControl& control) {
            control.ClearStop();
            stopSeen = control.StopRequested();
        }));
        job.ShutDown();
        EXPECT_TRUE(stopSeen);
    }
    char text[32] = {};
    ::GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, "last words");
    ::DestroyWindow(window);
}

TEST(WorkerJob, DestroyingTheRunnerWaitsForTheWork) {
    std::atomic<bool> finished{false};
    {
        ui::WorkerJob job;
        ASSERT_TRUE(job.Start([&](platform::JobControl&) {
            ::Sleep(50);
            finished = true;
        }));
    }
    EXPECT_TRUE(finished);
}

}  // namespace
