// The task's XML as written for the service and as read back from it, and
// the reader below it.
#include <gtest/gtest.h>

#include <string>

#include "schedule/task_xml.h"
#include "schedule/xml_tree.h"

namespace {

using schedule::Frequency;
using schedule::Schedule;

const schedule::TaskIdentity kIdentity{"JunkSweep", "Cleans <junk> & more", "C:\\Tools & Co\\Sweep\\JunkSweep.exe"};
constexpr schedule::WallTime kFirstRun{2024, 5, 27};

TEST(TaskXml, HoldsTheTaskSettingsAndReadsBackAsTheSameSchedule) {
    const Schedule schedules[] = {
        {Frequency::Daily, 1, 1, 0, 5},
        {Frequency::Weekly, 0, 1, 23, 59},
        {Frequency::Weekly, 6, 1, 12, 0},
        {Frequency::Monthly, 1, 31, 8, 30},
        {Frequency::Monthly, 1, schedule::kLastDayOfMonth, 3, 0},
    };
    for (const Schedule& s : schedules) {
        const std::string xml = schedule::TaskXml(s, kIdentity, kFirstRun);
        SCOPED_TRACE(xml);
        const schedule::TaskDefinition read = schedule::ReadTaskXml(xml);
        ASSERT_TRUE(read.schedule);
        EXPECT_TRUE(schedule::SameTimes(*read.schedule, s));
        EXPECT_EQ(read.command, kIdentity.programPath);
        EXPECT_EQ(read.arguments, "/auto /hide");
        EXPECT_TRUE(read.enabled);

        const auto task = schedule::ParseXml(xml);
        ASSERT_TRUE(task);
        const struct {
            std::initializer_list<std::string_view> at;
            const char* value;
        } fields[] = {
            {{"RegistrationInfo", "Author"}, "JunkSweep"},
            {{"RegistrationInfo", "Description"}, "Cleans <junk> & more"},
            {{"Principals", "Principal", "LogonType"}, "InteractiveToken"},
            {{"Principals", "Principal", "RunLevel"}, "LeastPrivilege"},
            {{"Settings", "MultipleInstancesPolicy"}, "IgnoreNew"},
            {{"Settings", "StartWhenAvailable"}, "true"},
            {{"Settings", "ExecutionTimeLimit"}, "PT2H"},
            {{"Actions", "Exec", "Command"}, "\"C:\\Tools & Co\\Sweep\\JunkSweep.exe\""},
            {{"Actions", "Exec", "WorkingDirectory"}, "C:\\Tools & Co\\Sweep"},
        };
        for (const auto& field : fields) EXPECT_EQ(task->TextAt(field.at), field.value) << *field.at.begin();
        // No password is stored and nothing asks for one.
        EXPECT_EQ(xml.find("UserId"), std::string::npos);
        EXPECT_EQ(xml.find("Password"), std::string::npos);
        char start[32];
        std::snprintf(start, sizeof start, "2024-05-27T%02d:%02d:00", s.hour, s.minute);
        EXPECT_EQ(task->TextAt({"Triggers", "CalendarTrigger", "StartBoundary"}), start);
    }
    EXPECT_EQ(schedule::TaskXml(Schedule{}, kIdentity, kFirstRun), "");
    EXPECT_EQ(schedule::TaskXml({Frequency::Daily, 1, 1, 25, 0}, kIdentity, kFirstRun), "");
}

// A task as the service hands it back, with the triggers given.
std::string ServiceCopy(const std::string& triggers) {
    return "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
           "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n"
           "  <RegistrationInfo><Author>PC\\alice</Author><URI>\\JunkSweep (alice)</URI></RegistrationInfo>\n"
           "  <Triggers>" + triggers + "</Triggers>\n"
           "  <Principals><Principal id=\"Author\"><UserId>S-1-5-21-1-2-3-1001</UserId>"
           "<LogonType>InteractiveToken</LogonType></Principal></Principals>\n"
           "  <Settings><Enabled>true</Enabled></Settings>\n"
           "  <Actions Context=\"Author\"><Exec><Command>\"C:\\Sweep\\JunkSweep.exe\"</Command>"
           "<Arguments>/auto /hide</Arguments></Exec></Actions>\n"
           "</Task>\n";
}

std::string Calendar(const std::string& inside, const std::string& start = "2024-05-27T08:30:00") {
    return "<CalendarTrigger><StartBoundary>" + start + "</StartBoundary><Enabled>true</Enabled>" + inside +
           "</CalendarTrigger>";
}

const std::string kAllMonths =
    "<Months><January/><February/><March/><April/><May/><June/><July/><August/><September/><October/>"
    "<November/><December/></Months>";

TEST(TaskXml, ReadsOnlyTriggersThePageCanShow) {
    const std::string byDay = "<ScheduleByDay><DaysInterval>1</DaysInterval></ScheduleByDay>";
    struct Case {
        const char* what;
        std::string triggers;
        std::optional<Schedule> schedule;
    } cases[] = {
        {"daily", Calendar(byDay), Schedule{Frequency::Daily, 1, 1, 8, 30}},
        {"weekly", Calendar("<ScheduleByWeek><WeeksInterval>1</WeeksInterval><DaysOfWeek><Friday />"
                            "</DaysOfWeek></ScheduleByWeek>"),
         Schedule{Frequency::Weekly, 5, 1, 8, 30}},
        {"monthly", Calendar("<ScheduleByMonth><DaysOfMonth><Day>15</Day></DaysOfMonth>" + kAllMonths +
                             "</ScheduleByMonth>"),
         Schedule{Frequency::Monthly, 1, 15, 8, 30}},
        {"last day", Calendar("<ScheduleByMonth><DaysOfMonth><Day>Last</Day></DaysOfMonth></ScheduleByMonth>"),
         Schedule{Frequency::Monthly, 1, schedule::kLastDayOfMonth, 8, 30}},
        {"none", "", std::nullopt},
        {"two triggers", Calendar(byDay) + Calendar(byDay), std::nullopt},
        {"at logon", "<LogonTrigger><Enabled>true</Enabled></LogonTrigger>", std::nullopt},
        {"every other day", Calendar("<ScheduleByDay><DaysInterval>2</DaysInterval></ScheduleByDay>"), std::nullopt},
        {"two weekdays", Calendar("<ScheduleByWeek><DaysOfWeek><Monday/><Friday/></DaysOfWeek></ScheduleByWeek>"),
         std::nullopt},
        {"some months", Calendar("<ScheduleByMonth><DaysOfMonth><Day>1</Day></DaysOfMonth><Months><May/>"
                                 "</Months></ScheduleByMonth>"),
         std::nullopt},
        {"repeating", Calendar(byDay + "<Repetition><Interval>PT1H</Interval></Repetition>"), std::nullopt},
        {"in UTC", Calendar(byDay, "2024-05-27T08:30:00Z"), std::nullopt},
        {"trigger off", "<CalendarTrigger><StartBoundary>2024-05-27T08:30:00</StartBoundary><Enabled>false"
                        "</Enabled>" + byDay + "</CalendarTrigger>",
         std::nullopt},
    };
    for (const Case& c : cases) {
        const schedule::TaskDefinition read = schedule::ReadTaskXml(ServiceCopy(c.triggers));
        EXPECT_EQ(read.schedule.has_value(), c.schedule.has_value()) << c.what;
        if (read.schedule && c.schedule) {
            EXPECT_TRUE(schedule::SameTimes(*read.schedule, *c.schedule)) << c.what;
        }
        EXPECT_EQ(read.command, "C:\\Sweep\\JunkSweep.exe") << c.what;
    }

    // A task switched off, in the copy some services keep without triggers
    // or the action's contents; text that is no task.
    const auto stripped = schedule::ReadTaskXml(
        "<Task xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\"><Triggers/>"
        "<Settings><Enabled>false</Enabled></Settings><Actions><Exec/></Actions></Task>");
    EXPECT_FALSE(stripped.schedule);
    EXPECT_EQ(stripped.command, "");
    EXPECT_FALSE(stripped.enabled);
    for (const char* broken : {"", "not xml", "<Task><Triggers></Task>", "<Other/>"}) {
        const auto read = schedule::ReadTaskXml(broken);
        EXPECT_FALSE(read.schedule) << broken;
        EXPECT_EQ(read.command, "") << broken;
    }
}

TEST(XmlTree, ReadsElementsAndRefusesWhatIsNotWellFormed) {
    const auto tree = schedule::ParseXml(
        "<?xml version=\"1.0\"?><!-- c --><t:Task xmlns:t=\"urn:x\"><t:A b=\"x > y\">one &amp; &#233;&#x263A; &bogus; "
        "<![CDATA[<raw>]]></t:A><B/><!-- c --><?pi x?></t:Task>\n");
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->name, "Task");
    EXPECT_EQ(tree->TextAt({"A"}), "one & \xC3\xA9\xE2\x98\xBA &bogus; <raw>");
    EXPECT_EQ(tree->TextAt({"B"}), "");
    std::string deep;
    for (int i = 0; i < 100; ++i) deep = "<a>" + deep + "</a>";
    for (const std::string& bad : {std::string("<a><b></a></b>"), std::string("<a>"), std::string("<a b=\"1></a>"),
                                   std::string("<a/><b/>"), deep}) {
        EXPECT_FALSE(schedule::ParseXml(bad)) << bad;
    }
}

TEST(TaskXml, NamesTheTaskPerUserAndKnowsItsProgram) {
    EXPECT_EQ(schedule::TaskName("JunkSweep", "alice"), "JunkSweep (alice)");
    EXPECT_EQ(schedule::TaskName("JunkSweep", ""), "JunkSweep");
    EXPECT_EQ(schedule::TaskName("JunkSweep", "a\\b:c*d?\"e<f>g|h/i"), "JunkSweep (a_b_c_d__e_f_g_h_i)");

    for (const char* same : {"C:\\Sweep\\JunkSweep.exe", " \"c:\\SWEEP\\junksweep.EXE\" "}) {
        EXPECT_TRUE(schedule::StartsProgram(same, "C:\\Sweep\\JunkSweep.exe")) << same;
    }
    for (const char* other : {"C:\\Old\\JunkSweep.exe", "C:\\Sweep\\JunkSweep.exe.bak", ""}) {
        EXPECT_FALSE(schedule::StartsProgram(other, "C:\\Sweep\\JunkSweep.exe")) << other;
    }
}

}  // namespace
