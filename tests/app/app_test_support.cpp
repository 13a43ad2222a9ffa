#include "app_test_support.h"

#include <sstream>

#include "app/app_resources.h"
#include "platform/handle.h"
#include "support/scratch.h"

namespace apptest {

namespace {

const char kProbeKey[] = "Software\\Classes\\CLSID\\{FCB8E994-A09D-4521-838F-5A20FEF4018D}";
const HKEY kRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};

void SetValue(HKEY key, const char* name, const std::string& value) {
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
}

}  // namespace

SkinProbe::SkinProbe() : log_(testsupport::NewScratchFolder("skinprobe") + "\\calls.txt") {
    // The per-user registration is what a user installs without rights of an
    // administrator; Wine 8 looks classes up in the machine's branch only.
    for (HKEY root : kRoots) {
        HKEY created = nullptr;
        std::string path = std::string(kProbeKey) + "\\InprocServer32";
        ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr);
        platform::RegKey server(created);
        SetValue(server.Get(), nullptr, testsupport::TestProgramFolder() + "\\skin_probe.dll");
        SetValue(server.Get(), "ThreadingModel", "Apartment");
    }
    ::SetEnvironmentVariableA("JS_SKIN_PROBE_LOG", log_.c_str());
    Fail("");
    WithoutAutomation(false);
}

SkinProbe::~SkinProbe() {
    for (HKEY root : kRoots) ::RegDeleteTreeA(root, kProbeKey);
    ::SetEnvironmentVariableA("JS_SKIN_PROBE_LOG", nullptr);
    ::SetEnvironmentVariableA("JS_SKIN_PROBE_FAIL", nullptr);
    ::SetEnvironmentVariableA("JS_SKIN_PROBE_NO_AUTOMATION", nullptr);
    ::CoFreeUnusedLibraries();
}

void SkinProbe::Fail(const char* method) {
    ::SetEnvironmentVariableA("JS_SKIN_PROBE_FAIL", *method ? method : nullptr);
}

void SkinProbe::WithoutAutomation(bool without) {
    ::SetEnvironmentVariableA("JS_SKIN_PROBE_NO_AUTOMATION", without ? "1" : nullptr);
}

std::vector<std::string> SkinProbe::Calls() const {
    std::vector<std::string> calls;
    std::istringstream lines(testsupport::ReadFile(log_));
    for (std::string line; std::getline(lines, line);) calls.push_back(line);
    return calls;
}

void SkinProbe::ClearCalls() const { ::DeleteFileA(log_.c_str()); }

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

std::string WindowText(HWND window) {
    char buffer[1024] = {};
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                          nullptr);
    return buffer;
}

}  // namespace apptest
