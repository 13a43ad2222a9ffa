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

std::string ProductTitle(const std::string& filePath) {
    std::string name, version;
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeA(filePath.c_str(), &handle);
    std::vector<char> data(size);
    if (size > 0 && ::GetFileVersionInfoA(filePath.c_str(), 0, size, data.data())) {
        WORD* translation = nullptr;
        UINT length = 0;
        if (::VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                             &length) &&
            translation && length >= 4) {
            name = QueryString(data, translation[0], translation[1], "ProductName");
            version = QueryString(data, translation[0], translation[1], "ProductVersion");
        }
    }
    return name + " " + version;
}

}  // namespace app
