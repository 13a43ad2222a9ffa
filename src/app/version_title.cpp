#include "app/version_title.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace app {

namespace {

std::string QueryString(std::vector<char>& data, WORD language, WORD codePage, const char* name) {
    char subBlock[64];
    std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%04x%04x\\%s", language, codePage, name);
    char* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(data.data(), subBlock, reinterpret_cast<void**>(&value), &length) || !value) return {};
    // The length counts the terminator when there is one.
    std::string text(value, length);
    if (size_t end = text.find('\0'); end != std::string::npos) text.resize(end);
    return text;
}

}  // namespace

std::string VersionText(const std::string& filePath, const char* name) {
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeA(filePath.c_str(), &handle);
    std::vector<char> data(size);
    if (size == 0 || !::GetFileVersionInfoA(filePath.c_str(), 0, size, data.data())) return {};
    WORD* translation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                          &length) ||
        !translation || length < 4) {
        return {};
    }
    return QueryString(data, translation[0], translation[1], name);
}

std::string ProductTitle(const std::string& filePath) {
    return VersionText(filePath, "ProductName") + " " + VersionText(filePath, "ProductVersion");
}

}  // namespace app
