#include "platform/trace.h"

#include <windows.h>

#include <cstdio>
#include <exception>

namespace platform {

namespace {

constexpr int Length(std::string_view text) { return static_cast<int>(text.size() > 400 ? 400 : text.size()); }

void Emit(std::string_view where, std::string_view what, const char* suffix) noexcept {
    char line[1024];
    std::snprintf(line, sizeof line, "JunkSweep: %.*s: %.*s%s\n", Length(where), where.data(), Length(what),
                  what.data(), suffix);
    ::OutputDebugStringA(line);
}

}  // namespace

void Trace(std::string_view where, std::string_view what) noexcept { Emit(where, what, ""); }

void TraceLastError(std::string_view where, std::string_view what) noexcept {
    const DWORD error = ::GetLastError();
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, " (error %lu)", static_cast<unsigned long>(error));
    Emit(where, what, suffix);
}

void TraceException(std::string_view where) noexcept {
    std::exception_ptr current = std::current_exception();
    if (!current) {
        Emit(where, "no exception", "");
        return;
    }
    try {
        std::rethrow_exception(current);
    } catch (const std::exception& e) {
        Emit(where, e.what(), "");
    } catch (...) {
        Emit(where, "an exception that is not a std::exception", "");
    }
}

}  // namespace platform
