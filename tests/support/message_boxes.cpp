#include "support/message_boxes.h"

namespace testsupport {

namespace {

constexpr int kMessageText = 0xFFFF;

// Visible: a box being made has neither its text nor its buttons yet.
bool IsShownMessageBox(HWND window) {
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    return std::string(name) == "#32770" && ::IsWindowVisible(window) && ::GetDlgItem(window, kMessageText);
}

struct Search {
    HWND owner;
    HWND found = nullptr;
};

BOOL CALLBACK Look(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (search->owner && ::GetWindow(window, GW_OWNER) != search->owner) return TRUE;
    if (!IsShownMessageBox(window)) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

std::string MessageBoxText(HWND box) {
    char text[4096] = {};
    // Not SMTO_ABORTIFHUNG: a test thread that ran for five seconds without
    // reading messages counts as hung, and under load the read then fails
    // at once although the box's loop is about to answer.
    ::SendMessageTimeoutA(::GetDlgItem(box, kMessageText), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                          SMTO_NORMAL, 2000, nullptr);
    return text;
}

MessageBoxAnswerer::MessageBoxAnswerer(HWND owner, int answer)
    : owner_(owner), thread_(::GetCurrentThreadId()), answer_(answer), watcher_([this] { Watch(); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    stop_ = true;
    watcher_.join();
}

std::vector<std::string> MessageBoxAnswerer::Texts() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
}

HWND MessageBoxAnswerer::FindBox() const {
    Search search{owner_};
    if (owner_) {
        ::EnumWindows(Look, reinterpret_cast<LPARAM>(&search));
    } else {
        ::EnumThreadWindows(thread_, Look, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

void MessageBoxAnswerer::Watch() {
    while (!stop_) {
        if (HWND box = FindBox()) {
            std::string text = MessageBoxText(box);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                texts_.push_back(std::move(text));
            }
            int id = ::GetDlgItem(box, answer_) ? answer_.load() : IDOK;
            ::SendMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, id)));
            for (int i = 0; i < 200 && ::IsWindow(box); ++i) ::Sleep(5);
        }
        ::Sleep(5);
    }
}

}  // namespace testsupport
