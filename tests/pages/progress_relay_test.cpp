// A job's reports on their way to its page: the job never waits, the page
// is told once for however many reports, and takes the latest of each kind.
#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "pages/progress_relay.h"

namespace {

constexpr UINT kWaiting = WM_APP + 100;

int PostedNotes(HWND window) {
    int notes = 0;
    MSG message;
    while (::PeekMessageA(&message, window, kWaiting, kWaiting, PM_REMOVE)) ++notes;
    return notes;
}

TEST(ProgressRelay, TellsThePageOnceAndHandsOverTheLatestReportOfEachKind) {
    HWND page = ::CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(page);
    pages::ProgressRelay relay(page, kWaiting);
    // From another thread, as a job reports.
    std::thread job([&] {
        relay.SetStatus("first");
        for (uint64_t count = 1; count <= 1000; ++count) relay.SetCount(count);
        relay.SetRange(70000);
        relay.SetPosition(5);
        relay.SetStatus("last");
    });
    job.join();
    EXPECT_EQ(PostedNotes(page), 1);
    pages::ProgressRelay::Reports reports = relay.Take();
    EXPECT_EQ(reports.status, "last");
    EXPECT_EQ(reports.count, 1000u);
    EXPECT_EQ(reports.range, 70000u);
    EXPECT_EQ(reports.position, 5);

    // Taken: nothing waits, and the next report is told again.
    reports = relay.Take();
    EXPECT_FALSE(reports.status || reports.count || reports.range || reports.position);
    relay.SetPosition(6);
    EXPECT_EQ(PostedNotes(page), 1);
    EXPECT_EQ(relay.Take().position, 6);
    ::DestroyWindow(page);
}

}  // namespace
