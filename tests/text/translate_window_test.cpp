// Translating a real dialog and the windows below it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/window_text.h"
#include "support/scratch.h"
#include "text/language_table.h"

namespace {

// Builds a dialog template in memory, as the resource compiler would.
class TemplateBuilder {
public:
    TemplateBuilder(DWORD style, const char* caption) {
        Add<DWORD>(style | DS_SETFONT);
        Add<DWORD>(0);
        countAt_ = bytes_.size();
        Add<WORD>(0);
        Add<short>(0), Add<short>(0), Add<short>(200), Add<short>(120);
        Add<WORD>(0);  // no menu
        Add<WORD>(0);  // standard class
        AddText(caption);
        Add<WORD>(8);
        AddText("MS Shell Dlg");
    }

    void AddControl(WORD classAtom, DWORD style, WORD id, const char* text, short y) {
        Align();
        Add<DWORD>(style | WS_CHILD | WS_VISIBLE);
        Add<DWORD>(0);
        Add<short>(5), Add<short>(y), Add<short>(150), Add<short>(10);
        Add<WORD>(id);
        Add<WORD>(0xFFFF);
        Add<WORD>(classAtom);
        AddText(text);
        Add<WORD>(0);  // no creation data
        ++*reinterpret_cast<WORD*>(&bytes_[countAt_]);
    }

    const DLGTEMPLATE* Get() {
        Align();
        return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data());
    }

private:
    template <typename T>
    void Add(T value) {
        const auto* p = reinterpret_cast<const unsigned char*>(&value);
        bytes_.insert(bytes_.end(), p, p + sizeof(T));
    }
    void AddText(const char* text) {
        for (const char* c = text; *c; ++c) Add<WCHAR>(static_cast<unsigned char>(*c));
        Add<WCHAR>(0);
    }
    void Align() {
        while (bytes_.size() % 4) bytes_.push_back(0);
    }

    std::vector<unsigned char> bytes_;
    size_t countAt_ = 0;
};

constexpr WORD kButton = 0x0080;
constexpr WORD kStatic = 0x0082;

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

    TemplateBuilder outer(WS_POPUP | WS_CAPTION, "_TestCaption");
    outer.AddControl(kStatic, SS_LEFT, 101, "_WelcomeTo", 5);
    outer.AddControl(kButton, BS_AUTOCHECKBOX, 102, "_SkipReadOnlyFiles ", 20);
    outer.AddControl(kStatic, SS_LEFT, 103, "List1", 35);
    outer.AddControl(kStatic, SS_LEFT, 104, "_", 50);
    outer.AddControl(kStatic, SS_LEFT, 105, "", 65);
    outer.AddControl(kStatic, SS_LEFT, 106, "_NotInTheFile", 80);
    outer.AddControl(kStatic, SS_LEFT, 107, "_TwoLines", 95);
    Window dialog{::CreateDialogIndirectParamA(nullptr, outer.Get(), nullptr, QuietDialog, 0)};
    ASSERT_TRUE(dialog.handle);

    // A page inside the dialog, with a control of its own, and a plain child
    // window with a grandchild.
    TemplateBuilder inner(WS_CHILD | DS_CONTROL, "");
    inner.AddControl(kButton, BS_PUSHBUTTON, 201, "_Back", 5);
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
    TemplateBuilder t(WS_POPUP, "_Options");
    t.AddControl(kButton, BS_PUSHBUTTON, IDOK, "_Next", 5);
    Window dialog{::CreateDialogIndirectParamA(nullptr, t.Get(), nullptr, QuietDialog, 0)};
    ASSERT_TRUE(dialog.handle);
    text::TranslateWindow(dialog.handle);
    EXPECT_EQ(platform::WindowText(dialog.handle), "_Options");
    EXPECT_EQ(platform::WindowText(::GetDlgItem(dialog.handle, IDOK)), "_Next");
    text::TranslateWindow(nullptr);  // nothing to do, and no harm
}

}  // namespace
