#include "ui/message_loop.h"

#include <algorithm>

#include "platform/trace.h"

namespace ui {

namespace {
thread_local MessageLoop* t_current = nullptr;
constexpr UINT kSystemTimer = 0x118;

template <typename T>
void Remove(std::vector<T*>& items, T* item) {
    items.erase(std::remove(items.begin(), items.end(), item), items.end());
}
}  // namespace

MessageLoop::MessageLoop() : previous_(t_current) { t_current = this; }

MessageLoop::~MessageLoop() { t_current = previous_; }

MessageLoop* MessageLoop::Current() { return t_current; }

void MessageLoop::AddMessageFilter(MessageFilter* filter) { filters_.push_back(filter); }
void MessageLoop::RemoveMessageFilter(MessageFilter* filter) { Remove(filters_, filter); }
void MessageLoop::AddIdleHandler(IdleHandler* handler) { idleHandlers_.push_back(handler); }
void MessageLoop::RemoveIdleHandler(IdleHandler* handler) { Remove(idleHandlers_, handler); }

bool MessageLoop::RearmsIdle(UINT message) {
    return message != WM_MOUSEMOVE && message != WM_NCMOUSEMOVE && message != WM_PAINT && message != kSystemTimer;
}

int MessageLoop::Run() {
    bool idle = true;
    MSG message{};
    for (;;) {
        while (idle && !::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            // Handlers may unregister themselves while running.
            auto handlers = idleHandlers_;
            for (IdleHandler* handler : handlers) handler->OnIdle();
            idle = false;
        }
        BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == -1) {
            platform::TraceLastError("message loop", "a message cannot be retrieved");
            continue;
        }
        if (!got) return static_cast<int>(message.wParam);
        // A filter may unregister itself while it runs (a dialog that closes
        // from a key it translated), so walk a copy and skip the departed.
        bool filtered = false;
        auto filters = filters_;
        for (auto it = filters.rbegin(); it != filters.rend() && !filtered; ++it) {
            if (std::find(filters_.begin(), filters_.end(), *it) == filters_.end()) continue;
            filtered = (*it)->PreTranslateMessage(message);
        }
        if (!filtered) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        if (RearmsIdle(message.message)) idle = true;
    }
}

}  // namespace ui
