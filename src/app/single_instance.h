#pragma once
// One running copy of the program at a time, guarded by a named mutex that
// is held open until the process ends.
#include <windows.h>

#include "platform/handle.h"

namespace app {

inline constexpr char kSingleInstanceMutex[] = "{0CC852F7-C0DA-4078-86ED-F07D77379036}";

class SingleInstance {
public:
    SingleInstance();
    // True when the mutex already existed: another copy runs. When the mutex
    // cannot be created at all, start-up goes on (false).
    bool AnotherIsRunning() const { return alreadyExisted_; }

private:
    platform::UniqueHandle mutex_;
    bool alreadyExisted_ = false;
};

}  // namespace app
