// What OK does to the task, and how the service's failures are named.
#include <gtest/gtest.h>

#include <string>

#include "schedule/scheduled_task.h"

namespace {

using schedule::Change;
using schedule::Frequency;
using schedule::Registration;
using schedule::Schedule;

constexpr char kProgram[] = "C:\\Sweep\\JunkSweep.exe";
const Schedule kWeekly{Frequency::Weekly, 1, 1, 8, 30};

Registration Present(std::optional<Schedule> s, std::string command = kProgram, bool enabled = true,
                     std::string arguments = "/auto /hide") {
    Registration r;
    r.state = Registration::State::Present;
    r.definition = {s, std::move(command), std::move(arguments), enabled};
    return r;
}

Registration InState(Registration::State state) {
    Registration r;
    r.state = state;
    return r;
}

TEST(PlanChange, TouchesTheTaskOnlyForAChoiceThatDiffersFromIt) {
    const Schedule never{};
    const Schedule otherTime{Frequency::Weekly, 1, 1, 9, 30};
    const Schedule otherDay{Frequency::Weekly, 2, 1, 8, 30};
    const Registration absent = InState(Registration::State::Absent);
    const Registration unknown = InState(Registration::State::Unknown);
    struct Case {
        const char* what;
        Registration now;
        Schedule chosen;
        bool byUser;
        Change change;
    } cases[] = {
        {"not chosen", Present(otherTime), kWeekly, false, Change::None},
        {"new", absent, kWeekly, true, Change::Register},
        {"same", Present(kWeekly), kWeekly, true, Change::None},
        {"other time", Present(kWeekly), otherTime, true, Change::Register},
        {"other day", Present(kWeekly), otherDay, true, Change::Register},
        {"other program", Present(kWeekly, "D:\\Old\\JunkSweep.exe"), kWeekly, true, Change::Register},
        {"other switches", Present(kWeekly, kProgram, true, "/auto"), kWeekly, true, Change::Register},
        {"switched off", Present(kWeekly, kProgram, false), kWeekly, true, Change::Register},
        {"times unknown", Present(std::nullopt), kWeekly, true, Change::Register},
        {"service failed", unknown, kWeekly, true, Change::Register},
        {"Never, present", Present(kWeekly), never, true, Change::Remove},
        {"Never, unknown", unknown, never, true, Change::Remove},
        {"Never, absent", absent, never, true, Change::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(schedule::PlanChange(c.now, c.chosen, c.byUser, kProgram), c.change) << c.what;
    }
}

TEST(PlanChange, NamesTheServiceFailures) {
    using schedule::Failure;
    struct {
        HRESULT failure;
        Failure kind;
    } cases[] = {
        {static_cast<HRESULT>(0x80041315), Failure::NotRunning},  // the service is not running
        {REGDB_E_CLASSNOTREG, Failure::NotRunning},
        {E_ACCESSDENIED, Failure::Denied},
        {static_cast<HRESULT>(0x80041317), Failure::Refused},  // no task namespace (Wine's answer)
        {static_cast<HRESULT>(0x8004131A), Failure::Refused},  // not XML (Wine's answer)
        {static_cast<HRESULT>(0xC00CE502), Failure::Refused},  // the XML parser's
        {E_FAIL, Failure::Other},
    };
    for (const auto& c : cases) EXPECT_EQ(schedule::KindOf(c.failure), c.kind) << std::hex << c.failure;
}

}  // namespace
