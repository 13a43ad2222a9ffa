#include "paths/path_macros.h"

#include "paths/module_paths.h"
#include "paths/path_text.h"
#include "platform/codepage.h"
#include "platform/special_folders.h"

namespace paths {

namespace {

constexpr int kAppData = 0x1A;
constexpr int kCommonAppData = 0x23;
constexpr int kPersonal = 0x05;

}  // namespace

std::vector<PathMacro> CurrentPathMacros(const char* shellFolderLibrary) {
    auto shellFolder = [&](int csidl) { return platform::SpecialFolderPathFrom(shellFolderLibrary, csidl); };
    std::vector<PathMacro> all = {
        {"%AppData%", shellFolder(kAppData)},
        {"%CommonAppData%", shellFolder(kCommonAppData)},
        // The all-users folder as well, not the per-user local one: skin
        // settings written for either name keep finding the same files.
        {"%LocalAppData%", shellFolder(kCommonAppData)},
        {"%ModulePath%", ModuleDirectory()},
        {"%Personal%", shellFolder(kPersonal)},
        {"%SystemDirectory%", platform::SystemFolder()},
        {"%TempDirectory%", platform::TempFolder()},
        {"%Windows%", platform::WindowsFolder()},
        {"%WindowsDirectory%", platform::WindowsFolder()},
    };
    std::vector<PathMacro> defined;
    for (PathMacro& macro : all) {
        macro.folder = WithoutTrailingBackslash(macro.folder);
        if (!macro.folder.empty()) defined.push_back(std::move(macro));
    }
    return defined;
}

std::string ExpandPathMacros(std::string_view text, const std::vector<PathMacro>& macros) {
    std::string result(text);
    for (const PathMacro& macro : macros) {
        size_t at = platform::LowerAnsi(result).find(platform::LowerAnsi(macro.name));
        if (at != std::string::npos) result.replace(at, macro.name.size(), macro.folder);
    }
    return result;
}

std::string ExpandPathMacros(std::string_view text) { return ExpandPathMacros(text, CurrentPathMacros()); }

}  // namespace paths
