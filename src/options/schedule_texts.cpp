#include "options/schedule_texts.h"

#include <cstdio>

#include "text/format_template.h"
#include "text/language_table.h"
#include "text/size_text.h"

namespace options {

namespace {

using schedule::Frequency;
using schedule::Registration;
using text::FormatTemplate;
using text::LookupText;

constexpr const char* kWeekdayKeys[] = {"_schSunday",   "_schMonday", "_schTuesday", "_schWednesday",
                                        "_schThursday", "_schFriday", "_schSaturday"};

std::string TimeText(int hour, int minute) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    return text;
}

void AddLine(std::string& text, const std::string& line) {
    if (line.empty()) return;
    if (!text.empty()) text += "\r\n";
    text += line;
}

std::string NextRunText(const schedule::Schedule& s, const Clock& clock) {
    std::optional<schedule::UtcSeconds> next = schedule::NextRun(s, clock.now, clock.zone);
    return next ? WhenText(schedule::ToWallTime(*next, clock.zone)) : std::string();
}

// The warning that a monthly clean skips the months without its day.
std::string ShortMonthsNote(const schedule::Schedule& s) {
    return s.frequency == Frequency::Monthly && s.monthDay >= 29 && s.monthDay <= 31
               ? FormatTemplate(LookupText("_schShortMonths"), {s.monthDay})
               : std::string();
}

std::string ProgramText(const schedule::TaskDefinition& definition, std::string_view programPath) {
    if (definition.command.empty()) return LookupText("_schUnknownProgram");
    if (schedule::StartsProgram(definition.command, programPath)) {
        return FormatTemplate(LookupText("_schStarts"), {definition.command});
    }
    return FormatTemplate(LookupText("_schOtherProgram"), {definition.command});
}

}  // namespace

std::string WeekdayName(int weekday) { return LookupText(kWeekdayKeys[(weekday % 7 + 7) % 7]); }

std::string ScheduleText(const schedule::Schedule& s) {
    const std::string time = TimeText(s.hour, s.minute);
    switch (s.frequency) {
        case Frequency::Daily:
            return FormatTemplate(LookupText("_schEveryDay"), {time});
        case Frequency::Weekly:
            return FormatTemplate(LookupText("_schEveryWeek"), {WeekdayName(s.weekday), time});
        case Frequency::Monthly:
            if (s.monthDay == schedule::kLastDayOfMonth) {
                return FormatTemplate(LookupText("_schEveryMonthLast"), {time});
            }
            return FormatTemplate(LookupText("_schEveryMonth"), {s.monthDay, time});
        case Frequency::Never:
            break;
    }
    return LookupText("_schNever");
}

std::string WhenText(const schedule::WallTime& when) {
    const int64_t days = schedule::DaysFromDate(when.year, when.month, when.day);
    return FormatTemplate(LookupText("_schDateTime"), {WeekdayName(schedule::WeekdayOfDays(days)), when.year,
                                                       when.month, when.day, when.hour, when.minute});
}

std::string FailureText(HRESULT failure) {
    switch (schedule::KindOf(failure)) {
        case schedule::Failure::NotRunning:
            return LookupText("_schNotRunning");
        case schedule::Failure::Denied:
            return LookupText("_schDenied");
        case schedule::Failure::Refused:
            return LookupText("_schRefused");
        case schedule::Failure::Other:
            break;
    }
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(failure));
    return FormatTemplate(LookupText("_schFailed"), {code});
}

std::string RegistrationText(const Registration& registration, std::string_view programPath, const Clock& clock) {
    std::string text;
    switch (registration.state) {
        case Registration::State::Unknown:
            return FailureText(registration.failure);
        case Registration::State::Absent:
            return LookupText("_schNoTask");
        case Registration::State::Present:
            break;
    }
    const schedule::TaskDefinition& definition = registration.definition;
    if (!definition.enabled) {
        AddLine(text, LookupText("_schTaskOff"));
    } else if (definition.schedule) {
        AddLine(text, FormatTemplate(LookupText("_schTaskRuns"), {ScheduleText(*definition.schedule)}));
        const std::string next = NextRunText(*definition.schedule, clock);
        if (!next.empty()) AddLine(text, FormatTemplate(LookupText("_schNextRun"), {next}));
    } else {
        AddLine(text, LookupText("_schTaskUnknownTimes"));
    }
    AddLine(text, ProgramText(definition, programPath));
    return text;
}

std::string PlanText(schedule::Change change, const schedule::Schedule& chosen, const Clock& clock) {
    switch (change) {
        case schedule::Change::Register: {
            std::string text =
                FormatTemplate(LookupText("_schPlanRegister"), {ScheduleText(chosen), NextRunText(chosen, clock)});
            AddLine(text, ShortMonthsNote(chosen));
            return text;
        }
        case schedule::Change::Remove:
            return LookupText("_schPlanRemove");
        case schedule::Change::None:
            break;
    }
    return {};
}

std::string LastCleanText(const std::optional<schedule::LastClean>& last) {
    if (!last) return LookupText("_schNoClean");
    const std::string size = text::FormatSize(last->cleanedBytes);
    std::string counts =
        last->notCleanedFiles == 0
            ? FormatTemplate(LookupText("_fnCleanedLine"), {last->cleanedFiles, size})
            : FormatTemplate(LookupText("_fnCleanedNotAllLine"), {last->cleanedFiles, size, last->notCleanedFiles});
    const char* key = last->stopped ? "_schLastCleanStopped" : "_schLastClean";
    return FormatTemplate(LookupText(key), {WhenText(last->started), counts});
}

}  // namespace options
