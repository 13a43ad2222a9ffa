#include "app_test_support.h"

#include "app/app_resources.h"

namespace apptest {

std::vector<pages::PageSlot> ProbeSlots(std::vector<ProbePage::Record>& records, size_t count,
                                     std::vector<ProbePage*>* pages) {
    records.assign(count, {});
    if (pages) pages->clear();
    std::vector<pages::PageSlot> slots;
    for (size_t i = 0; i < count; ++i) {
        auto page = pages::MakePage<ProbePage>(&records[i]);
        if (pages) pages->push_back(static_cast<ProbePage*>(page.get()));
        slots.push_back({std::move(page), IDD_WELCOME_PAGE});
    }
    return slots;
}

app::WizardWindow::PageMaker Given(std::vector<pages::PageSlot> slots) {
    auto shared = std::make_shared<std::vector<pages::PageSlot>>(std::move(slots));
    return [shared](pages::Session&) { return std::move(*shared); };
}

void DrainQuit() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

namespace {
struct Search {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (owner == search->processId && lstrcmpiA(name, search->className) == 0) search->found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> WindowsOfProcess(DWORD processId, const char* className) {
    Search search{processId, className, {}};
    ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace apptest
