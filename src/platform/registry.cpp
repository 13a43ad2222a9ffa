#include "platform/registry.h"

#include <shlwapi.h>

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

std::optional<std::string> RegistryKey::Text(const char* name) const {
    if (!Opened()) return std::nullopt;
    // One byte more than the value may fill, always zero: a value stored
    // without its terminating zero still ends there.
    char value[kTextLimit + 1] = {};
    DWORD size = kTextLimit, type = 0;
    if (::RegQueryValueExA(key_.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    return std::string(value);
}

bool RegistryKey::HasValue(const char* name) const {
    return Opened() && ::RegQueryValueExA(key_.Get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegistryKey::SetText(const char* name, const std::string& text) const {
    return Opened() && ::RegSetValueExA(key_.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

void DeleteKeyTree(HKEY root, const std::string& subKey) { ::SHDeleteKeyA(root, subKey.c_str()); }

void DeleteValue(HKEY root, const std::string& subKey, const std::string& name) {
    ::SHDeleteValueA(root, subKey.c_str(), name.c_str());
}

}  // namespace platform
