#include "support/trace_recorder.h"

#include <algorithm>
#include <atomic>

namespace testsupport {

namespace {

// OutputDebugStringA raises this exception with the text's length and
// address; a vectored handler sees it before the system's own.
constexpr DWORD kDebugPrint = 0x40010006;  // DBG_PRINTEXCEPTION_C

std::atomic<TraceRecorder*> g_recorder{nullptr};

}  // namespace

TraceRecorder::TraceRecorder() {
    g_recorder = this;
    handler_ = ::AddVectoredExceptionHandler(1, Handler);
}

TraceRecorder::~TraceRecorder() {
    ::RemoveVectoredExceptionHandler(handler_);
    g_recorder = nullptr;
}

LONG CALLBACK TraceRecorder::Handler(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD& record = *info->ExceptionRecord;
    TraceRecorder* self = g_recorder;
    if (record.ExceptionCode != kDebugPrint || record.NumberParameters < 2 || !self) return EXCEPTION_CONTINUE_SEARCH;
    std::string line(reinterpret_cast<const char*>(record.ExceptionInformation[1]));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    std::lock_guard lock(self->mutex_);
    self->lines_.push_back(std::move(line));
    return EXCEPTION_CONTINUE_EXECUTION;
}

std::vector<std::string> TraceRecorder::Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

bool TraceRecorder::Saw(std::initializer_list<std::string_view> texts) const {
    std::lock_guard lock(mutex_);
    return std::any_of(lines_.begin(), lines_.end(), [&](const std::string& line) {
        return std::all_of(texts.begin(), texts.end(),
                           [&](std::string_view text) { return line.find(text) != std::string::npos; });
    });
}

}  // namespace testsupport
