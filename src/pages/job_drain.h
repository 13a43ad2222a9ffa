#pragma once
// Waiting, on the user-interface thread, for a worker that may still be
// sending it messages: the sent messages are carried out while waiting, so
// the worker can never block on this thread.
#include <windows.h>

#include <atomic>

namespace pages {

// Returns when talking is false or after timeoutMs.
void WaitWhileTalking(const std::atomic<bool>& talking, DWORD timeoutMs = 60000);

}  // namespace pages
