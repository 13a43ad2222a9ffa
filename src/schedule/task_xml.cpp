#include "schedule/task_xml.h"

#include <array>
#include <cstdio>

#include "schedule/xml_tree.h"
#include "text/ascii_text.h"

namespace schedule {

namespace {

constexpr std::array<const char*, 7> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonths = {"January", "February", "March",     "April",   "May",      "June",
                                                 "July",    "August",   "September", "October", "November", "December"};

std::string_view Trimmed(std::string_view text) { return text::TrimmedOf(text, " \t\r\n"); }

// A whole decimal number of at most four digits.
std::optional<int> Number(std::string_view text) {
    text = Trimmed(text);
    if (text.empty() || text.size() > 4) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool IntervalIsOne(const XmlElement& schedule, std::string_view name) {
    const XmlElement* interval = schedule.Child(name);
    return !interval || Number(interval->text) == 1;
}

std::string Folder(std::string_view path) {
    size_t slash = path.find_last_of('\\');
    if (slash == std::string_view::npos) return {};
    std::string folder(path.substr(0, slash));
    if (!folder.empty() && folder.back() == ':') folder += '\\';
    return folder;
}

std::string StartBoundary(const WallTime& day, const Schedule& s) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:00", day.year, day.month, day.day, s.hour, s.minute);
    return text;
}

std::string ScheduleElement(const Schedule& s) {
    switch (s.frequency) {
        case Frequency::Daily:
            return "      <ScheduleByDay>\n        <DaysInterval>1</DaysInterval>\n      </ScheduleByDay>\n";
        case Frequency::Weekly:
            return std::string("      <ScheduleByWeek>\n        <DaysOfWeek>\n          <") +
                   kWeekdays[static_cast<size_t>(s.weekday)] +
                   " />\n        </DaysOfWeek>\n        <WeeksInterval>1</WeeksInterval>\n      </ScheduleByWeek>\n";
        case Frequency::Monthly: {
            std::string text = "      <ScheduleByMonth>\n        <DaysOfMonth>\n          <Day>";
            text += s.monthDay == kLastDayOfMonth ? std::string("Last") : std::to_string(s.monthDay);
            text += "</Day>\n        </DaysOfMonth>\n        <Months>\n";
            for (const char* month : kMonths) text += std::string("          <") + month + " />\n";
            text += "        </Months>\n      </ScheduleByMonth>\n";
            return text;
        }
        case Frequency::Never:
            break;
    }
    return {};
}

// The wall time of a start boundary "yyyy-mm-ddThh:mm:ss" without a time
// zone (a trigger tied to UTC or an offset does not keep the wall time).
std::optional<std::pair<int, int>> BoundaryTime(std::string_view boundary) {
    boundary = Trimmed(boundary);
    if (boundary.size() != 19 || boundary[10] != 'T' || boundary[13] != ':' || boundary[16] != ':') {
        return std::nullopt;
    }
    auto hour = Number(boundary.substr(11, 2));
    auto minute = Number(boundary.substr(14, 2));
    auto second = Number(boundary.substr(17, 2));
    if (!hour || !minute || second != 0) return std::nullopt;
    return std::make_pair(*hour, *minute);
}

std::optional<Schedule> ScheduleOfWeek(const XmlElement& byWeek, Schedule s) {
    const XmlElement* days = byWeek.Child("DaysOfWeek");
    if (!IntervalIsOne(byWeek, "WeeksInterval") || !days || days->children.size() != 1) return std::nullopt;
    for (size_t i = 0; i < kWeekdays.size(); ++i) {
        if (days->children[0].name == kWeekdays[i]) {
            s.frequency = Frequency::Weekly;
            s.weekday = static_cast<int>(i);
            return s;
        }
    }
    return std::nullopt;
}

std::optional<Schedule> ScheduleOfMonth(const XmlElement& byMonth, Schedule s) {
    const XmlElement* days = byMonth.Child("DaysOfMonth");
    if (!days || days->children.size() != 1 || days->children[0].name != "Day") return std::nullopt;
    // Every month, or no list of months (which the service reads as every month).
    if (const XmlElement* months = byMonth.Child("Months")) {
        for (const char* month : kMonths) {
            if (!months->Child(month)) return std::nullopt;
        }
    }
    const std::string_view day = Trimmed(days->children[0].text);
    if (day == "Last") {
        s.monthDay = kLastDayOfMonth;
    } else if (auto number = Number(day); number && *number >= 1 && *number <= 31) {
        s.monthDay = *number;
    } else {
        return std::nullopt;
    }
    s.frequency = Frequency::Monthly;
    return s;
}

std::optional<Schedule> ScheduleOfTrigger(const XmlElement& trigger) {
    if (trigger.name != "CalendarTrigger") return std::nullopt;
    for (const char* changes : {"Repetition", "EndBoundary", "RandomDelay"}) {
        if (trigger.Child(changes)) return std::nullopt;
    }
    if (auto enabled = trigger.TextAt({"Enabled"}); enabled && Trimmed(*enabled) == "false") return std::nullopt;
    auto time = BoundaryTime(trigger.TextAt({"StartBoundary"}).value_or(""));
    if (!time) return std::nullopt;
    Schedule s;
    s.hour = time->first;
    s.minute = time->second;
    const XmlElement* byDay = trigger.Child("ScheduleByDay");
    const XmlElement* byWeek = trigger.Child("ScheduleByWeek");
    const XmlElement* byMonth = trigger.Child("ScheduleByMonth");
    if ((byDay ? 1 : 0) + (byWeek ? 1 : 0) + (byMonth ? 1 : 0) != 1) return std::nullopt;
    std::optional<Schedule> read;
    if (byDay && IntervalIsOne(*byDay, "DaysInterval")) {
        s.frequency = Frequency::Daily;
        read = s;
    } else if (byWeek) {
        read = ScheduleOfWeek(*byWeek, s);
    } else if (byMonth) {
        read = ScheduleOfMonth(*byMonth, s);
    }
    if (read && !IsValid(*read)) return std::nullopt;
    return read;
}

std::string Unquoted(std::string_view command) {
    command = Trimmed(command);
    if (command.size() >= 2 && command.front() == '"' && command.back() == '"') {
        command = command.substr(1, command.size() - 2);
    }
    return std::string(command);
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string TaskXml(const Schedule& s, const TaskIdentity& identity, const WallTime& firstRun) {
    if (s.frequency == Frequency::Never || !IsValid(s)) return {};
    // Handed to the service as a wide string, hence UTF-16 whatever this text is.
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
        "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n"
        "  <RegistrationInfo>\n"
        "    <Author>" + EscapeXml(identity.author) + "</Author>\n"
        "    <Description>" + EscapeXml(identity.description) + "</Description>\n"
        "  </RegistrationInfo>\n"
        "  <Triggers>\n"
        "    <CalendarTrigger>\n"
        "      <StartBoundary>" + StartBoundary(firstRun, s) + "</StartBoundary>\n" +
        ScheduleElement(s) +
        "    </CalendarTrigger>\n"
        "  </Triggers>\n"
        "  <Principals>\n"
        "    <Principal id=\"Author\">\n"
        "      <LogonType>InteractiveToken</LogonType>\n"
        "      <RunLevel>LeastPrivilege</RunLevel>\n"
        "    </Principal>\n"
        "  </Principals>\n"
        "  <Settings>\n"
        "    <MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>\n"
        "    <StartWhenAvailable>true</StartWhenAvailable>\n"
        "    <ExecutionTimeLimit>PT2H</ExecutionTimeLimit>\n"
        "    <Enabled>true</Enabled>\n"
        "  </Settings>\n"
        "  <Actions Context=\"Author\">\n"
        "    <Exec>\n"
        "      <Command>\"" + EscapeXml(identity.programPath) + "\"</Command>\n"
        "      <Arguments>" + EscapeXml(kScheduledArguments) + "</Arguments>\n"
        "      <WorkingDirectory>" + EscapeXml(Folder(identity.programPath)) + "</WorkingDirectory>\n"
        "    </Exec>\n"
        "  </Actions>\n"
        "</Task>\n";
    return xml;
}

TaskDefinition ReadTaskXml(std::string_view xml) {
    TaskDefinition definition;
    std::optional<XmlElement> task = ParseXml(xml);
    if (!task || task->name != "Task") return definition;
    if (auto enabled = task->TextAt({"Settings", "Enabled"})) definition.enabled = Trimmed(*enabled) != "false";
    if (const XmlElement* actions = task->Child("Actions")) {
        if (const XmlElement* exec = actions->Child("Exec")) {
            definition.command = Unquoted(exec->TextAt({"Command"}).value_or(""));
            definition.arguments = std::string(Trimmed(exec->TextAt({"Arguments"}).value_or("")));
        }
    }
    const XmlElement* triggers = task->Child("Triggers");
    if (triggers && triggers->children.size() == 1) definition.schedule = ScheduleOfTrigger(triggers->children[0]);
    return definition;
}

std::string TaskName(std::string_view program, std::string_view user) {
    std::string name(program);
    if (!user.empty()) {
        name += " (";
        name += user;
        name += ')';
    }
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return name;
}

bool StartsProgram(std::string_view command, std::string_view programPath) {
    const std::string unquoted = Unquoted(command);
    if (unquoted.size() != programPath.size() || unquoted.empty()) return false;
    for (size_t i = 0; i < unquoted.size(); ++i) {
        if (AsciiLower(unquoted[i]) != AsciiLower(programPath[i])) return false;
    }
    return true;
}

}  // namespace schedule
