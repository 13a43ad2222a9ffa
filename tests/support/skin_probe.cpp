#include "support/skin_probe.h"

#include <windows.h>

#include <sstream>

#include "platform/registry.h"
#include "support/scratch.h"

namespace testsupport {

namespace {

const char kProbeKey[] = "Software\\Classes\\CLSID\\{FCB8E994-A09D-4521-838F-5A20FEF4018D}";
const HKEY kRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};

}  // namespace

SkinProbe::SkinProbe() : log_(testsupport::NewScratchFolder("skinprobe") + "\\calls.txt") {
    // The per-user registration is what a user installs without rights of an
    // administrator; Wine 8 looks classes up in the machine's branch only.
    for (HKEY root : kRoots) {
        auto server = platform::RegistryKey::Create(root, std::string(kProbeKey) + "\\InprocServer32", KEY_WRITE);
        server.SetText(nullptr, testsupport::TestProgramFolder() + "\\skin_probe.dll");
        server.SetText("ThreadingModel", "Apartment");
    }
    ::SetEnvironmentVariableA("JS_SKIN_PROBE_LOG", log_.c_str());
    Fail("");
    WithoutAutomation(false);
}

SkinProbe::~SkinProbe() {
    for (HKEY root : kRoots) platform::DeleteKeyTree(root, kProbeKey);
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

}  // namespace testsupport
