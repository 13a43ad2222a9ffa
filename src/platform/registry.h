#pragma once
// A registry key: opened or created, its text values read and written, and
// the two deletions of the shell's light-weight utilities (a key with
// everything below it, a single value) that need no open key.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/handle.h"

namespace platform {

class RegistryKey {
public:
    // The longest text value read, its terminating zero included: what the
    // program reads (icon sources, class names) is short, and a longer value
    // is none of them.
    static constexpr DWORD kTextLimit = 511;

    // root\subKey, or a key that is not open when it cannot be opened.
    static RegistryKey Open(HKEY root, const std::string& subKey, REGSAM access = KEY_QUERY_VALUE);
    // Opens root\subKey, creating it and the keys above it where missing.
    static RegistryKey Create(HKEY root, const std::string& subKey, REGSAM access = KEY_ALL_ACCESS);

    bool Opened() const { return key_.Valid(); }
    HKEY Get() const { return key_.Get(); }

    // A text value (REG_SZ or REG_EXPAND_SZ, not expanded) up to its first
    // zero; null names the key's default value. None when the key is not
    // open, or the value is missing, of another type, or longer than
    // kTextLimit.
    std::optional<std::string> Text(const char* name) const;
    // True when the key holds a value of that name, of any type.
    bool HasValue(const char* name) const;
    // Writes a REG_SZ value; false when it could not be written.
    bool SetText(const char* name, const std::string& text) const;

private:
    explicit RegistryKey(HKEY key) : key_(key) {}

    RegKey key_;
};

// Deletes root\subKey with every key and value below it. Silent: a key that
// is not there, or cannot be deleted, stays as it is.
void DeleteKeyTree(HKEY root, const std::string& subKey);
// Deletes one value of root\subKey, as silently.
void DeleteValue(HKEY root, const std::string& subKey, const std::string& name);

}  // namespace platform
