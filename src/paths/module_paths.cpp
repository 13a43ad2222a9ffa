#include "paths/module_paths.h"

#include <windows.h>

#include "paths/path_text.h"
#include "platform/special_folders.h"

namespace paths {

std::string DirectoryOfModulePath(std::string_view modulePath) {
    std::string dir = FolderPart(modulePath);
    // "C:x.exe" was cut at its drive colon, which goes back on. A network
    // folder ("\\server\share") has no colon and needs none.
    if (dir.find_first_of(":\\") == std::string::npos) dir += ':';
    return dir;
}

std::string BaseNameOfModulePath(std::string_view modulePath) {
    std::string name = LastComponent(modulePath);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    return name;
}

namespace {
std::string& Override() {
    static std::string path;
    return path;
}
}  // namespace

void OverrideModulePath(std::string path) { Override() = std::move(path); }

std::string ModulePath() {
    if (!Override().empty()) return Override();
    return platform::ProgramFilePath();
}

std::string ModuleDirectory() { return DirectoryOfModulePath(ModulePath()); }

std::string ModuleBaseName() { return BaseNameOfModulePath(ModulePath()); }

std::string BesideModule(std::string_view extension) {
    std::string path = ModuleDirectory();
    path += '\\';
    path += ModuleBaseName();
    path += extension;
    return path;
}

}  // namespace paths
