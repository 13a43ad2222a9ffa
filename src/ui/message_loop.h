#pragma once
// The program's message loop: registered filters see every message first
// (the most recently registered first), and idle handlers run once whenever
// the queue runs empty after a message that re-arms idle processing.
#include <windows.h>

#include <vector>

namespace ui {

class MessageFilter {
public:
    virtual ~MessageFilter() = default;
    // True when the message was handled and must not be dispatched.
    virtual bool PreTranslateMessage(MSG& message) = 0;
};

class IdleHandler {
public:
    virtual ~IdleHandler() = default;
    virtual void OnIdle() = 0;
};

class MessageLoop {
public:
    MessageLoop();
    ~MessageLoop();
    MessageLoop(const MessageLoop&) = delete;
    MessageLoop& operator=(const MessageLoop&) = delete;

    // The loop running on this thread, or null.
    static MessageLoop* Current();

    void AddMessageFilter(MessageFilter* filter);
    void RemoveMessageFilter(MessageFilter* filter);
    void AddIdleHandler(IdleHandler* handler);
    void RemoveIdleHandler(IdleHandler* handler);

    // Runs until WM_QUIT; returns its exit code.
    int Run();

    // Messages after which idle handlers do not run again.
    static bool RearmsIdle(UINT message);

private:
    std::vector<MessageFilter*> filters_;
    std::vector<IdleHandler*> idleHandlers_;
    MessageLoop* previous_;
};

}  // namespace ui
