// The registry key: what a text query gives for each kind of value.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "platform/registry.h"

namespace {

const std::string kScratchKey = "Software\\JunkSweepTests\\Registry";

// A key of the test's own, gone again afterwards.
class ScratchKey {
public:
    ScratchKey() { platform::DeleteKeyTree(HKEY_CURRENT_USER, kScratchKey); }
    ~ScratchKey() { platform::DeleteKeyTree(HKEY_CURRENT_USER, kScratchKey); }

    void Set(const char* name, DWORD type, const void* data, DWORD size) const {
        platform::RegistryKey key = platform::RegistryKey::Create(HKEY_CURRENT_USER, kScratchKey);
        ASSERT_TRUE(key.Opened());
        ASSERT_EQ(::RegSetValueExA(key.Get(), name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
    // Text with its terminating zero, or without it.
    void SetText(const char* name, DWORD type, const std::string& text, bool terminated = true) const {
        Set(name, type, text.c_str(), static_cast<DWORD>(text.size() + (terminated ? 1 : 0)));
    }
};

TEST(RegistryKey, TextQueriesGiveTextValuesUpToTheLimitAndNothingElse) {
    ScratchKey scratch;
    const DWORD number = 7;
    scratch.Set("number", REG_DWORD, &number, sizeof number);
    scratch.SetText("list", REG_MULTI_SZ, std::string("a\0b\0", 4));
    scratch.SetText(nullptr, REG_SZ, "default");
    scratch.SetText("plain", REG_SZ, "C:\\a.ico,0");
    scratch.SetText("expand", REG_EXPAND_SZ, "%SystemRoot%\\b.ico");
    scratch.SetText("empty", REG_SZ, "");
    scratch.SetText("cut", REG_SZ, std::string("before\0after", 12));
    // The limit counts the terminating zero: 510 characters fit, 511 do not.
    scratch.SetText("fits", REG_SZ, std::string(510, 'f'));
    scratch.SetText("too long", REG_SZ, std::string(511, 'l'));
    scratch.SetText("unterminated", REG_SZ, "abc", false);
    scratch.SetText("far too long", REG_SZ, std::string(4000, 'x'));

    const struct Case {
        const char* name;
        std::optional<std::string> expected;
    } cases[] = {
        {"missing", std::nullopt},
        {"number", std::nullopt},
        {"list", std::nullopt},
        {nullptr, "default"},
        {"plain", "C:\\a.ico,0"},
        {"expand", "%SystemRoot%\\b.ico"},
        {"empty", ""},
        {"cut", "before"},
        {"fits", std::string(510, 'f')},
        {"too long", std::nullopt},
        {"unterminated", "abc"},
        {"far too long", std::nullopt},
    };
    const platform::RegistryKey key = platform::RegistryKey::Open(HKEY_CURRENT_USER, kScratchKey);
    ASSERT_TRUE(key.Opened());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name ? c.name : "(default)");
        EXPECT_EQ(key.Text(c.name), c.expected);
        EXPECT_EQ(key.HasValue(c.name), std::string(c.name ? c.name : "") != "missing");
    }

    const platform::RegistryKey missing = platform::RegistryKey::Open(HKEY_CURRENT_USER, kScratchKey + "\\missing");
    EXPECT_FALSE(missing.Opened());
    EXPECT_EQ(missing.Text(nullptr), std::nullopt);
    EXPECT_FALSE(missing.HasValue(nullptr));
    EXPECT_FALSE(missing.SetText("x", "y"));
}

}  // namespace
