// What OK does to the task, how the service's failures are named, and the
// system's Task Scheduler itself: register, find, replace, refuse, delete.
#include <gtest/gtest.h>

#include <string>

#include "platform/task_scheduler.h"
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
        {"not chosen, Never", Present(kWeekly), never, false, Change::None},
        {"new", absent, kWeekly, true, Change::Register},
        {"same", Present(kWeekly), kWeekly, true, Change::None},
        {"same, command quoted", Present(kWeekly, "\"C:\\Sweep\\JunkSweep.exe\""), kWeekly, true, Change::None},
        {"other time", Present(kWeekly), otherTime, true, Change::Register},
        {"other day", Present(kWeekly), otherDay, true, Change::Register},
        {"other program", Present(kWeekly, "D:\\Old\\JunkSweep.exe"), kWeekly, true, Change::Register},
        {"other switches", Present(kWeekly, kProgram, true, "/auto"), kWeekly, true, Change::Register},
        {"switched off", Present(kWeekly, kProgram, false), kWeekly, true, Change::Register},
        {"times unknown", Present(std::nullopt), kWeekly, true, Change::Register},
        {"program unknown", Present(kWeekly, ""), kWeekly, true, Change::Register},
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
        {HRESULT_FROM_WIN32(ERROR_SERVICE_DISABLED), Failure::NotRunning},
        {REGDB_E_CLASSNOTREG, Failure::NotRunning},
        {E_ACCESSDENIED, Failure::Denied},
        {static_cast<HRESULT>(0x80041317), Failure::Refused},  // no task namespace (Wine's answer)
        {static_cast<HRESULT>(0x8004131A), Failure::Refused},  // not XML (Wine's answer)
        {static_cast<HRESULT>(0x80041318), Failure::Refused},  // a value out of range
        {static_cast<HRESULT>(0xC00CE502), Failure::Refused},  // the XML parser's
        {E_FAIL, Failure::Other},
        {HRESULT_FROM_WIN32(ERROR_INVALID_NAME), Failure::Other},
    };
    for (const auto& c : cases) EXPECT_EQ(schedule::KindOf(c.failure), c.kind) << std::hex << c.failure;
}

// A task XML the service takes: daily at noon, starting this program.
std::string DailyXml(const char* description) {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-16\"?>"
                       "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">"
                       "<RegistrationInfo><Description>") +
           description +
           "</Description></RegistrationInfo>"
           "<Triggers><CalendarTrigger><StartBoundary>2030-01-01T12:00:00</StartBoundary>"
           "<ScheduleByDay><DaysInterval>1</DaysInterval></ScheduleByDay></CalendarTrigger></Triggers>"
           "<Principals><Principal id=\"Author\"><LogonType>InteractiveToken</LogonType></Principal></Principals>"
           "<Settings><MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>"
           "<StartWhenAvailable>true</StartWhenAvailable><ExecutionTimeLimit>PT2H</ExecutionTimeLimit></Settings>"
           "<Actions Context=\"Author\"><Exec><Command>\"t:\\none.exe\"</Command></Exec></Actions></Task>";
}

// The service of the test bed's Wine prefix. Its copy of a task keeps the
// registration info and settings; triggers and actions it drops.
TEST(SystemTaskFolder, RegistersFindsReplacesAndDeletesByName) {
    platform::SystemTaskFolder folder;
    const std::string name = "JunkSweep test (system folder)";
    ASSERT_EQ(folder.Remove(name), S_OK);
    platform::TaskLookup lookup = folder.Find(name);
    ASSERT_EQ(lookup.status, S_OK);
    EXPECT_FALSE(lookup.found);

    ASSERT_EQ(folder.Register(name, DailyXml("first")), S_OK);
    lookup = folder.Find(name);
    EXPECT_TRUE(lookup.found);
    EXPECT_NE(lookup.xml.find("<Description>first</Description>"), std::string::npos) << lookup.xml;
    for (const char* kept : {"<MultipleInstancesPolicy>IgnoreNew<", "<StartWhenAvailable>true<",
                             "<ExecutionTimeLimit>PT2H<"}) {
        EXPECT_NE(lookup.xml.find(kept), std::string::npos) << kept;
    }

    ASSERT_EQ(folder.Register(name, DailyXml("second")), S_OK);
    EXPECT_NE(folder.Find(name).xml.find("<Description>second</Description>"), std::string::npos);

    // Refused definitions change nothing.
    for (const char* unusable : {"not xml", "<Task><Nonsense/></Task>"}) {
        const HRESULT refused = folder.Register(name, unusable);
        EXPECT_EQ(schedule::KindOf(refused), schedule::Failure::Refused) << std::hex << refused;
        EXPECT_NE(folder.Find(name).xml.find("<Description>second</Description>"), std::string::npos);
    }

    EXPECT_EQ(folder.Remove(name), S_OK);
    EXPECT_FALSE(folder.Find(name).found);
    EXPECT_EQ(folder.Remove(name), S_OK);
}

}  // namespace
