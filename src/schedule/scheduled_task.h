#pragma once
// The scheduled clean's task in the Task Scheduler: what is registered now,
// what pressing OK must change, and carrying that out. The service is the
// record of what is registered; it is reached only through a TaskFolder.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/task_scheduler.h"
#include "schedule/schedule.h"
#include "schedule/task_xml.h"

namespace schedule {

// What the Task Scheduler holds under the task's name.
struct Registration {
    enum class State { Absent, Present, Unknown };
    State state = State::Unknown;
    HRESULT failure = S_OK;     // why the state is Unknown
    TaskDefinition definition;  // of a Present task, as far as the service tells
};

Registration ReadRegistration(platform::TaskFolder& folder, const std::string& name);

enum class Change { None, Register, Remove };

// What OK must do. Nothing unless the user chose a schedule on the page
// (opening the options to change something else never touches the task);
// then Never removes a task that is or may be there, and any other schedule
// is registered unless the task is known to run it already, switched on,
// with this program.
Change PlanChange(const Registration& now, const Schedule& chosen, bool chosenByUser, std::string_view programPath);

// Carries the change out: S_OK, or the service's failure, which leaves the
// task as it was.
HRESULT CarryOut(platform::TaskFolder& folder, Change change, const std::string& name, const std::string& xml);

// How the page names a failure of the service: the language key of its
// message (service not running, access denied, a definition it refused, or
// another failure, whose code the page adds).
enum class Failure { NotRunning, Denied, Refused, Other };
Failure KindOf(HRESULT failure);

}  // namespace schedule
