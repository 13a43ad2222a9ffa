#include <gtest/gtest.h>

#include <cstdio>

#include "skin/skin_hook.h"
#include "skin/skin_settings.h"
#include "support/scratch.h"
#include "support/skin_probe.h"

namespace {

TEST(SkinSettings, GammaTexts) {
    struct Case {
        const char* text;
        float expected;
    } cases[] = {
        {"1.5", 1.5f}, {" 0.75 ", 0.75f}, {"-2", -2.0f}, {"+3", 3.0f}, {"", 0.0f},
        {"abc", 0.0f}, {"1.5x", 0.0f},    {"1,5", 0.0f}, {"nan", 0.0f}, {"1e40", 0.0f},
    };
    for (const auto& c : cases) EXPECT_EQ(skin::ParseGamma(c.text), c.expected) << c.text;
}

TEST(SkinSettings, ReadsTheThreeValuesAndExpandsMacros) {
    testsupport::ProgramPlace place("skin");
    const std::string file = place.Folder() + "\\common.xml";
    struct Case {
        const char* xml;
        skin::SkinSettings expected;
    } cases[] = {
        {"<config><activateskin rootpath=\"%ModulePath%\\Skins\" uis=\"%modulepath%\\Skins\\Blue.uis\"/>"
         "<SkinGamma val=\"1.25\"/></config>",
         {place.Folder() + "\\Skins", place.Folder() + "\\Skins\\Blue.uis", 1.25f}},
        {"<config><activateskin rootpath=\"D:\\Skins\"/></config>", {"D:\\Skins", "", 0.0f}},
        // The root element is lower case; the program's own spelling does not match.
        {"<Config><activateskin rootpath=\"D:\\Skins\" uis=\"x\"/><SkinGamma val=\"2\"/></Config>", {"", "", 0.0f}},
        {"not xml at all", {"", "", 0.0f}},
    };
    for (const auto& c : cases) {
        testsupport::WriteFile(file, c.xml);
        EXPECT_EQ(skin::ReadSkinSettings(file), c.expected) << c.xml;
    }
    ::DeleteFileA(file.c_str());
    EXPECT_EQ(skin::ReadSkinSettings(file), skin::SkinSettings{});
    EXPECT_EQ(skin::SkinSettingsPath(), file);
}

class SkinHook : public testing::Test {
protected:
    void SetUp() override {
        window_ = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override { ::DestroyWindow(window_); }
    std::string AttachLine() const {
        char line[64];
        std::snprintf(line, sizeof line, "attach %llx",
                      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window_)));
        return line;
    }
    HWND window_ = nullptr;
    const skin::SkinSettings settings_{"D:\\Skins", "D:\\Skins\\Blue.uis", 1.5f};
};

TEST_F(SkinHook, WithoutAComponentTheWindowGoesUnskinned) {
    EXPECT_FALSE(skin::ApplySkin(window_, settings_));
}

TEST_F(SkinHook, CallsTheComponentInOrderWithTheSettings) {
    testsupport::SkinProbe probe;
    const std::string invoke = "invoke 51 flags 1 args 1 named 0 vt 4 value 1.500 result none";
    const std::string load = "load D:\\Skins|D:\\Skins\\Blue.uis";
    struct Case {
        const char* fail;
        bool noAutomation;
        bool skinned;
        std::vector<std::string> calls;
    } cases[] = {
        {"", false, true, {"create", AttachLine(), "automation", invoke, "automation released", load}},
        {"", true, true, {"create", AttachLine(), "automation", load}},
        {"attach", false, false, {"create", AttachLine(), "engine released"}},
        {"automation", false, false, {"create", AttachLine(), "automation", "engine released"}},
        {"load", false, false,
         {"create", AttachLine(), "automation", invoke, "automation released", load, "engine released"}},
    };
    for (const auto& c : cases) {
        probe.ClearCalls();
        probe.Fail(c.fail);
        probe.WithoutAutomation(c.noAutomation);
        auto engine = skin::ApplySkin(window_, settings_);
        EXPECT_EQ(static_cast<bool>(engine), c.skinned) << c.fail;
        EXPECT_EQ(probe.Calls(), c.calls) << c.fail << c.noAutomation;
        engine.Reset();
        if (c.skinned) {
            EXPECT_EQ(testsupport::LastLine(probe.Calls()), "engine released");
        }
    }
}

}  // namespace
