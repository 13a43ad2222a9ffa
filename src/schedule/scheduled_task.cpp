#include "schedule/scheduled_task.h"

#include <algorithm>
#include <cstdint>

namespace schedule {

namespace {

// Task Scheduler 2.0 answers that MinGW's headers do not name.
constexpr HRESULT kSchedUnexpectedNode = static_cast<HRESULT>(0x80041316);
constexpr HRESULT kSchedMalformedXml = static_cast<HRESULT>(0x8004131A);
constexpr HRESULT kSchedTooManyNodes = static_cast<HRESULT>(0x8004131D);
constexpr HRESULT kSchedServiceNotAvailable = static_cast<HRESULT>(0x80041322);
// The XML parser's own failures.
constexpr uint32_t kXmlParserFacility = 0xC00CE000;

}  // namespace

Registration ReadRegistration(platform::TaskFolder& folder, const std::string& name) {
    Registration registration;
    platform::TaskLookup lookup = folder.Find(name);
    if (FAILED(lookup.status)) {
        registration.failure = lookup.status;
        return registration;
    }
    if (!lookup.found) {
        registration.state = Registration::State::Absent;
        return registration;
    }
    registration.state = Registration::State::Present;
    registration.definition = ReadTaskXml(lookup.xml);
    return registration;
}

Change PlanChange(const Registration& now, const Schedule& chosen, bool chosenByUser, std::string_view programPath) {
    if (!chosenByUser) return Change::None;
    if (chosen.frequency == Frequency::Never) {
        return now.state == Registration::State::Absent ? Change::None : Change::Remove;
    }
    const TaskDefinition& registered = now.definition;
    const bool alreadyRuns = now.state == Registration::State::Present && registered.enabled &&
                             registered.schedule && SameTimes(*registered.schedule, chosen) &&
                             StartsProgram(registered.command, programPath) &&
                             registered.arguments == kScheduledArguments;
    return alreadyRuns ? Change::None : Change::Register;
}

HRESULT CarryOut(platform::TaskFolder& folder, Change change, const std::string& name, const std::string& xml) {
    switch (change) {
        case Change::Register:
            return xml.empty() ? E_INVALIDARG : folder.Register(name, xml);
        case Change::Remove:
            return folder.Remove(name);
        case Change::None:
            break;
    }
    return S_OK;
}

Failure KindOf(HRESULT failure) {
    constexpr HRESULT kNotRunning[] = {
        SCHED_E_SERVICE_NOT_RUNNING,
        SCHED_E_SERVICE_NOT_INSTALLED,
        kSchedServiceNotAvailable,
        HRESULT_FROM_WIN32(ERROR_SERVICE_NOT_ACTIVE),
        HRESULT_FROM_WIN32(ERROR_SERVICE_DISABLED),
        HRESULT_FROM_WIN32(ERROR_SERVICE_DOES_NOT_EXIST),
        HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE),
        REGDB_E_CLASSNOTREG,
        CO_E_SERVER_EXEC_FAILURE,
    };
    constexpr HRESULT kDenied[] = {E_ACCESSDENIED, HRESULT_FROM_WIN32(ERROR_PRIVILEGE_NOT_HELD)};
    auto among = [failure](const auto& list) {
        return std::find(std::begin(list), std::end(list), failure) != std::end(list);
    };
    if (among(kNotRunning)) return Failure::NotRunning;
    if (among(kDenied)) return Failure::Denied;
    const auto code = static_cast<uint32_t>(failure);
    if ((failure >= kSchedUnexpectedNode && failure <= kSchedMalformedXml) || failure == kSchedTooManyNodes ||
        failure == SCHED_E_INVALID_TASK || (code & 0xFFFFF000u) == kXmlParserFacility) {
        return Failure::Refused;
    }
    return Failure::Other;
}

}  // namespace schedule
