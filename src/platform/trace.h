#pragma once
// Failures told to developers, never to users: one line each on the
// debugger's output (OutputDebugStringA; under Wine, WINEDEBUG=+debugstr
// prints it). Every catch-all fence and every failure the program passes
// over in silence says here what happened. Nothing is allocated, and nothing
// here throws, so it is safe in any catch block.
#include <string_view>
#include <utility>

namespace platform {

// "JunkSweep: <where>: <what>"
void Trace(std::string_view where, std::string_view what) noexcept;
// The same, followed by the calling thread's last error code (read first).
void TraceLastError(std::string_view where, std::string_view what) noexcept;
// For a catch block: the exception being handled, by its what() when it is
// a std::exception.
void TraceException(std::string_view where) noexcept;

// Runs body and returns its result; an exception it throws is traced and
// fallback returned instead. For callbacks the system calls, which no
// exception may leave.
template <typename Result, typename Body>
Result Fenced(std::string_view where, Result fallback, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        TraceException(where);
        return fallback;
    }
}

}  // namespace platform
