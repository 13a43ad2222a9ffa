// Translating a real dialog and the windows below it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/window_text.h"
#include "support/memory_template.h"
#include "support/scratch.h"
#include "text/language_table.h"

namespace {

using testsupport::MemoryTemplate;

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

struct Window {
    HWND handle;
    ~Window() {
        if (handle) ::DestroyWindow(handle);
    }
};

TEST(TranslateWindow, ReplacesKeysInTheWindowAndEveryWindowBelowIt) {
    testsupport::ProgramPlace place("translate");
    testsupport::WriteFile(place.LanguagePath(),
                           "[String]\r\n"
                           "_TestCaption=Test caption\r\n"
                           "_WelcomeTo=Welcome\r\n"
                           "_SkipReadOnlyFiles=Skip read-only files\r\n"
                           "_TwoLines=one\\r\\ntwo\r\n"
                           "_Back=< Back\r\n"
                           "_AppName=JunkSweep\r\n");

    MemoryTemplate outer(WS_POPUP | WS_CAPTION, 200, 120,
                         {{101, "STATIC", "_WelcomeTo", SS_LEFT, 5, 5, 150, 10},
                          {102, "BUTTON", "_SkipReadOnlyFiles ", BS_AUTOCHECKBOX, 5, 20, 150, 10},
                          {103, "STATIC", "List1", SS_LEFT, 5, 35, 150, 10},
                          {104, "STATIC", "_", SS_LEFT, 5, 50, 150, 10},
                          {105, "STATIC", "", SS_LEFT, 5, 65, 150, 10},
                          {106, "STATIC", "_NotInTheFile", SS_LEFT, 5, 80, 150, 10},
                          {107, "STATIC", "_TwoLines", SS_LEFT, 5, 95, 150, 10}},
                         "_TestCaption");
    Window dialog{::CreateDialogIndirectParamA(nullptr, outer.Get(), nullptr, QuietDialog, 0)};
    ASSERT_TRUE(dialog.handle);

    // A page inside the dialog, with a control of its own, and a plain child
    // window with a grandchild.
    MemoryTemplate inner(WS_CHILD | DS_CONTROL, 200, 120, {{201, "BUTTON", "_Back", BS_PUSHBUTTON, 5, 5, 150, 10}});
    HWND page = ::CreateDialogIndirectParamA(nullptr, inner.Get(), dialog.handle, QuietDialog, 0);
    ASSERT_TRUE(page);
    HWND panel = ::CreateWindowExA(0, "STATIC", "Panel", WS_CHILD, 0, 0, 50, 50, dialog.handle, nullptr, nullptr, nullptr);
    HWND grandchild =
        ::CreateWindowExA(0, "STATIC", "_AppName", WS_CHILD, 0, 0, 50, 10, panel, nullptr, nullptr, nullptr);
    ASSERT_TRUE(grandchild);

    text::TranslateWindow(dialog.handle);

    EXPECT_EQ(platform::WindowText(dialog.handle), "Test caption");
    struct Expect {
        int id;
        const char* text;
    };
    for (const Expect& e : {Expect{101, "Welcome"}, Expect{102, "Skip read-only files"}, Expect{103, "List1"},
                            Expect{104, "_"}, Expect{105, ""}, Expect{106, "_NotInTheFile"},
                            Expect{107, "one\r\ntwo"}}) {
        EXPECT_EQ(platform::WindowText(::GetDlgItem(dialog.handle, e.id)), e.text) << e.id;
    }
    EXPECT_EQ(platform::WindowText(::GetDlgItem(page, 201)), "< Back");
    EXPECT_EQ(platform::WindowText(panel), "Panel");
    EXPECT_EQ(platform::WindowText(grandchild), "JunkSweep");
}

TEST(TranslateWindow, WithoutALanguageFileKeysStay) {
    testsupport::ProgramPlace place("untranslated");
    MemoryTemplate t(WS_POPUP, 200, 120, {{IDOK, "BUTTON", "_Next", BS_PUSHBUTTON, 5, 5, 150, 10}}, "_Options");
    Window dialog{::CreateDialogIndirectParamA(nullptr, t.Get(), nullptr, QuietDialog, 0)};
    ASSERT_TRUE(dialog.handle);
    text::TranslateWindow(dialog.handle);
    EXPECT_EQ(platform::WindowText(dialog.handle), "_Options");
    EXPECT_EQ(platform::WindowText(::GetDlgItem(dialog.handle, IDOK)), "_Next");
    text::TranslateWindow(nullptr);  // nothing to do, and no harm
}

int g_setTextCalls = 0;
WNDPROC g_staticProc = nullptr;

LRESULT CALLBACK CountSetText(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) ++g_setTextCalls;
    return ::CallWindowProcA(g_staticProc, hwnd, message, wParam, lParam);
}

TEST(TranslateWindow, LeavesPictureStaticsAlone) {
    // An icon static names its icon by resource id, as the option pages'
    // statics do: its window text is no key, and setting it again would make
    // the control look for an icon of that name.
    constexpr int kPageIcon = 1010;
    MemoryTemplate t(WS_POPUP, 200, 120, {{kPageIcon, "STATIC", "#310", SS_ICON, 5, 5, 20, 20}});
    Window dialog{::CreateDialogIndirectParamA(nullptr, t.Get(), nullptr, QuietDialog, 0)};
    ASSERT_TRUE(dialog.handle);
    HWND iconStatic = ::GetDlgItem(dialog.handle, kPageIcon);
    ::SendMessageA(iconStatic, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconA(nullptr, IDI_APPLICATION)), 0);
    LRESULT before = ::SendMessageA(iconStatic, STM_GETICON, 0, 0);
    ASSERT_NE(before, 0);
    g_staticProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(iconStatic, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountSetText)));
    g_setTextCalls = 0;
    text::TranslateWindow(dialog.handle);
    EXPECT_EQ(g_setTextCalls, 0);
    EXPECT_EQ(::SendMessageA(iconStatic, STM_GETICON, 0, 0), before);
}

}  // namespace
