// The page base: the protocol's messages, and a page's end.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>

#include "pages/page_protocol.h"
#include "pages/wizard_page.h"
#include "support/memory_template.h"

namespace {

// A page that records what the protocol delivered, and throws on demand.
class ProbePage : public pages::WizardPage {
public:
    int activated = 0, deactivated = 0, next = 0, back = 0;
    bool refuse = false;
    bool throwOnNext = false;
    // Where the page's end is recorded.
    int* destroyed = nullptr;

protected:
    void OnActivated() override { ++activated; }
    void OnDeactivated() override { ++deactivated; }
    bool OnQueryCancel() override { return refuse; }
    void OnNext() override {
        ++next;
        if (throwOnNext) throw std::runtime_error("handler failure");
    }
    void OnBack() override { ++back; }
    void OnDestroy() override {
        if (destroyed) ++*destroyed;
    }
};

TEST(WizardPage, ProtocolMessagesReachTheVirtualHandlers) {
    testsupport::MemoryTemplate tmpl(WS_POPUP, 100, 60, {});
    ProbePage page;
    HWND hwnd = page.CreateIndirect(nullptr, tmpl.Get());
    ASSERT_TRUE(hwnd);
    ::SendMessageA(hwnd, pages::WM_PAGE_ACTIVATED, 0, 0);
    ::SendMessageA(hwnd, pages::WM_PAGE_DEACTIVATED, 0, 0);
    ::SendMessageA(hwnd, WM_COMMAND, pages::kNextButton, 0);
    ::SendMessageA(hwnd, WM_COMMAND, pages::kBackButton, 0);
    EXPECT_EQ(page.activated, 1);
    EXPECT_EQ(page.deactivated, 1);
    EXPECT_EQ(page.next, 1);
    EXPECT_EQ(page.back, 1);

    EXPECT_EQ(::SendMessageA(hwnd, pages::WM_WIZARD_QUERYCANCEL, 0, 0), 0);
    page.refuse = true;
    EXPECT_NE(::SendMessageA(hwnd, pages::WM_WIZARD_QUERYCANCEL, 0, 0), 0);

    page.throwOnNext = true;
    ::SendMessageA(hwnd, WM_COMMAND, pages::kNextButton, 0);  // must not escape the window procedure
    EXPECT_EQ(page.next, 2);
    ::DestroyWindow(hwnd);
    EXPECT_EQ(page.Hwnd(), nullptr);
}

// A page whose window is still there when its owner lets it go ends through
// its own OnDestroy, which saves what the page holds: the page object must
// still be whole when its window goes.
TEST(WizardPage, APageLetGoWithItsWindowStillEndsThroughItsOwnOnDestroy) {
    testsupport::MemoryTemplate tmpl(WS_POPUP, 100, 60, {});
    int destroyed = 0;
    pages::PagePtr owner = pages::MakePage<ProbePage>();
    static_cast<ProbePage&>(*owner).destroyed = &destroyed;
    HWND hwnd = owner->CreateIndirect(nullptr, tmpl.Get());
    ASSERT_TRUE(hwnd);
    owner.reset();
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(::IsWindow(hwnd));
}

}  // namespace
