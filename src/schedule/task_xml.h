#pragma once
// The scheduled clean's task, written as the Task Scheduler's XML, and the
// fields read back from the copy the service keeps.
#include <optional>
#include <string>
#include <string_view>

#include "schedule/schedule.h"

namespace schedule {

// The switches of the scheduled run: clean unattended, window hidden.
inline constexpr char kScheduledArguments[] = "/auto /hide";

// Whose task it is: the program's name and description, and its full path.
struct TaskIdentity {
    std::string author;
    std::string description;
    std::string programPath;
};

// The definition of the task: one calendar trigger at the schedule's wall
// time, starting on the day of firstRun (a start in the past would make the
// service take the registration for a missed run and clean at once); runs
// as the user who registers it, only while that user is logged on, without
// elevation; starts as soon as it can after a missed time, never a second
// time while one runs, and is stopped after 2 hours. Starts the program by
// its quoted full path, in its folder. Empty for Never or an invalid
// schedule.
std::string TaskXml(const Schedule& schedule, const TaskIdentity& identity, const WallTime& firstRun);

// What the service's copy of a task says, as far as it says it.
struct TaskDefinition {
    // Nothing when the triggers are not one that the schedule page offers
    // (none, several, another kind, a repetition, an end, an interval).
    std::optional<Schedule> schedule;
    std::string command;    // the program the first action starts, unquoted; empty when not given
    std::string arguments;
    bool enabled = true;
};

// Reads a task's XML; an unreadable text says nothing.
TaskDefinition ReadTaskXml(std::string_view xml);

// The task's name: the program's, then the user's, so that each user of a
// computer has a task of their own. Characters a task name cannot hold
// become "_".
std::string TaskName(std::string_view program, std::string_view user);

// Whether a task's command starts the program at that full path (letter
// case aside, as Windows names go).
bool StartsProgram(std::string_view command, std::string_view programPath);

}  // namespace schedule
