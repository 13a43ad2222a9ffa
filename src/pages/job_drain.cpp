#include "pages/job_drain.h"

namespace pages {

void WaitWhileTalking(const std::atomic<bool>& talking, DWORD timeoutMs) {
    const ULONGLONG start = ::GetTickCount64();
    while (talking && ::GetTickCount64() - start < timeoutMs) {
        // Carries out messages other threads sent to this one; posted
        // messages stay queued.
        MSG message;
        ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
    }
}

}  // namespace pages
