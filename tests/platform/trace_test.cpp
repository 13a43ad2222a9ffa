// What the program tells developers when something fails.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/trace.h"
#include "support/trace_recorder.h"

namespace {

using testsupport::TraceRecorder;

TEST(Trace, OneLineEachNamingThePlaceAndWhatHappened) {
    TraceRecorder recorder;
    platform::Trace("scan", "a folder cannot be listed");
    ::SetLastError(5);
    platform::TraceLastError("clean", "a file cannot be deleted");
    try {
        throw std::runtime_error("out of room");
    } catch (...) {
        platform::TraceException("job");
    }
    try {
        throw 42;
    } catch (...) {
        platform::TraceException("job");
    }
    platform::Trace(std::string(1000, 'w'), "long places are cut");
    const std::vector<std::string> lines = recorder.Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "JunkSweep: scan: a folder cannot be listed");
    EXPECT_EQ(lines[1], "JunkSweep: clean: a file cannot be deleted (error 5)");
    EXPECT_EQ(lines[2], "JunkSweep: job: out of room");
    EXPECT_EQ(lines[3], "JunkSweep: job: an exception that is not a std::exception");
    EXPECT_EQ(lines[4], "JunkSweep: " + std::string(400, 'w') + ": long places are cut");
}

TEST(Fenced, ReturnsTheBodysResultOrTheFallbackAndTracesTheException) {
    TraceRecorder recorder;
    EXPECT_EQ(platform::Fenced("callback", 0, [] { return 7; }), 7);
    EXPECT_TRUE(recorder.Lines().empty());
    EXPECT_EQ(platform::Fenced("callback", -1, []() -> int { throw std::length_error("too long"); }), -1);
    EXPECT_EQ(recorder.Lines(), std::vector<std::string>{"JunkSweep: callback: too long"});
}

}  // namespace
