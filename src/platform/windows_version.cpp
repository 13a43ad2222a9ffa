#include "platform/windows_version.h"

#include <windows.h>

namespace platform {

int WindowsVersion() {
    using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (HMODULE ntdll = ::GetModuleHandleA("ntdll.dll")) {
        auto get = reinterpret_cast<GetVersion>(reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")));
        if (get && get(&info) == 0) return static_cast<int>(info.dwMajorVersion * 100 + info.dwMinorVersion);
    }
    return 0;
}

}  // namespace platform
