#include "program_runner.h"

#include <shellapi.h>

#include <stdexcept>

#include "app/app_resources.h"
#include "app/tray_icon.h"
#include "app_test_support.h"
#include "pages/page_protocol.h"
#include "platform/registry.h"
#include "support/scratch.h"

namespace apptest {

namespace {

constexpr const char* kProgramFiles[] = {".exe", ".lng", ".rules.ini", ".xml"};

template <typename Found>
HWND Poll(DWORD milliseconds, Found found) {
    for (DWORD waited = 0;; waited += 50) {
        if (HWND window = found()) return window;
        if (waited >= milliseconds) return nullptr;
        ::Sleep(50);
    }
}

bool IsWizard(HWND window) {
    char name[64] = {};
    ::GetClassNameA(::GetDlgItem(window, IDC_PAGE_AREA), name, sizeof name);
    return std::string(name) == "JunkSweepPageHost";
}

void Copy(const std::string& from, const std::string& to) {
    if (!::CopyFileA(from.c_str(), to.c_str(), FALSE)) throw std::runtime_error("cannot copy " + from);
}

}  // namespace

ProgramCopy::ProgramCopy(const char* hint, const std::string& baseName)
    : ProgramCopy(At{testsupport::NewScratchFolder(hint)}, baseName) {}

ProgramCopy::ProgramCopy(At place, const std::string& baseName) : folder_(std::move(place.folder)), baseName_(baseName) {
    const std::string bin = testsupport::TestProgramFolder();
    for (const char* extension : kProgramFiles) {
        Copy(bin + "\\JunkSweep" + extension, folder_ + "\\" + baseName_ + extension);
    }
    Copy(bin + "\\common.xml", folder_ + "\\common.xml");
}

ProgramCopy ProgramCopy::SeenFrom(const std::string& folder) const {
    ProgramCopy view(*this);
    view.folder_ = folder;
    return view;
}

DisabledDlls::DisabledDlls(const std::string& programFileName, const std::vector<std::string>& dlls)
    : key_("Software\\Wine\\AppDefaults\\" + programFileName + "\\DllOverrides") {
    auto key = platform::RegistryKey::Create(HKEY_CURRENT_USER, key_, KEY_WRITE);
    for (const std::string& dll : dlls) key.SetText(dll.c_str(), "");
}

DisabledDlls::~DisabledDlls() {
    platform::DeleteKeyTree(HKEY_CURRENT_USER, key_);
}

RunningProgram::RunningProgram(const ProgramCopy& copy, const std::string& arguments) {
    std::string commandLine = "\"" + copy.ProgramPath() + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, copy.Folder().c_str(),
                         &startup, &info)) {
        ::CloseHandle(info.hThread);
        process_.Reset(info.hProcess);
        id_ = info.dwProcessId;
    }
}

RunningProgram::~RunningProgram() {
    if (Running()) {
        ::TerminateProcess(process_.Get(), 99);
        ::WaitForSingleObject(process_.Get(), 10000);
    }
}

long RunningProgram::WaitForExit(DWORD milliseconds) const {
    if (::WaitForSingleObject(process_.Get(), milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process_.Get(), &code);
    return static_cast<long>(code);
}

bool RunningProgram::Running() const {
    return process_.Valid() && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

HWND RunningProgram::WaitForWizard(DWORD milliseconds) const {
    HWND wizard = Poll(milliseconds, [this]() -> HWND {
        for (HWND window : WindowsOfProcess(id_, "#32770")) {
            if (IsWizard(window)) return window;
        }
        return nullptr;
    });
    // Found while it initialises: wait until start-up has shown it and the
    // message loop runs.
    if (wizard) ::WaitForInputIdle(process_.Get(), milliseconds ? milliseconds : 1);
    return wizard;
}

HWND RunningProgram::WaitForMessageBox(DWORD milliseconds) const {
    return Poll(milliseconds, [this]() -> HWND {
        for (HWND window : WindowsOfProcess(id_, "#32770")) {
            if (!IsWizard(window) && ::IsWindowVisible(window)) return window;
        }
        return nullptr;
    });
}

HWND WizardPageOf(HWND wizard, int index) {
    return reinterpret_cast<HWND>(
        ::SendMessageA(::GetDlgItem(wizard, IDC_PAGE_AREA), pages::WM_PAGEHOST_GETPAGE, static_cast<WPARAM>(index), 0));
}

HWND CurrentPageOf(HWND wizard) {
    return reinterpret_cast<HWND>(::SendMessageA(wizard, pages::WM_WIZARD_GETCURRENTPAGE, 0, 0));
}

bool TrayIconExists(HWND owner) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V2_SIZE;
    probe.hWnd = owner;
    probe.uID = app::kTrayIconId;
    return ::Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

}  // namespace apptest
