#include "platform/registry.h"

#include <shlwapi.h>

#include <vector>

namespace platform {

RegistryKey RegistryKey::Open(HKEY root, const std::string& subKey, REGSAM access) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, subKey.c_str(), 0, access, &key) != ERROR_SUCCESS) key = nullptr;
    return RegistryKey(key);
}

RegistryKey RegistryKey::Create(HKEY root, const std::string& subKey, REGSAM access) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, 0, access, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        key = nullptr;
    }
    return RegistryKey(key);
}

std::optional<std::string> RegistryKey::Text(const char* name, DWORD maxBytes) const {
    if (!Opened()) return std::nullopt;
    // One byte more than the value may fill, always zero: a value stored
    // without its terminating zero still ends there.
    std::vector<char> value(static_cast<size_t>(maxBytes) + 1, '\0');
    DWORD size = maxBytes, type = 0;
    if (::RegQueryValueExA(key_.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    return std::string(value.data());
}

bool RegistryKey::HasValue(const char* name) const {
    return Opened() && ::RegQueryValueExA(key_.Get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegistryKey::SetText(const char* name, const std::string& text) const {
    return Opened() && ::RegSetValueExA(key_.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool DeleteKeyTree(HKEY root, const std::string& subKey) {
    return ::SHDeleteKeyA(root, subKey.c_str()) == ERROR_SUCCESS;
}

bool DeleteValue(HKEY root, const std::string& subKey, const std::string& name) {
    return ::SHDeleteValueA(root, subKey.c_str(), name.c_str()) == ERROR_SUCCESS;
}

}  // namespace platform
