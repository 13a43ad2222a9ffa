#pragma once
// The Task Scheduler's root folder, as far as the scheduled clean needs it:
// find a task by name, register one from its XML, delete one. The schedule
// page reaches the service only through this interface, so that tests can
// put a service that fails in its place.
#include <windows.h>

#include <string>

namespace platform {

// The service's answer about one task.
struct TaskLookup {
    HRESULT status = S_OK;  // a failure of the service; S_OK when it answered
    bool found = false;
    std::string xml;        // the copy of the task's definition the service keeps
};

class TaskFolder {
public:
    virtual ~TaskFolder() = default;
    virtual TaskLookup Find(const std::string& name) = 0;
    // Registers the task, or replaces the one of that name, to run as the
    // calling user while that user is logged on (no password is stored).
    virtual HRESULT Register(const std::string& name, const std::string& xml) = 0;
    // Deletes the task; S_OK too when there was none.
    virtual HRESULT Remove(const std::string& name) = 0;
};

// The system's Task Scheduler (its 2.0 interfaces), connected afresh for
// each call on the calling thread, which must have initialised COM.
class SystemTaskFolder final : public TaskFolder {
public:
    TaskLookup Find(const std::string& name) override;
    HRESULT Register(const std::string& name, const std::string& xml) override;
    HRESULT Remove(const std::string& name) override;
};

// True for the service's answer that no task has that name.
bool IsNoSuchTask(HRESULT status);

}  // namespace platform
