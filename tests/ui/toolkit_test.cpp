#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "support/memory_template.h"
#include "support/ui/canvas.h"
#include "support/trace_recorder.h"
#include "ui/dialog.h"
#include "ui/gdi.h"
#include "ui/layout.h"
#include "ui/list_view.h"
#include "ui/message_loop.h"
#include "ui/row_colors.h"
#include "ui/skinned_controls.h"

namespace {

TEST(Layout, AnchoredRectKeepsDistancesToItsEdges) {
    const RECT r{10, 20, 110, 70};
    struct Case {
        int anchors;
        RECT expected;
    } cases[] = {
        {ui::kAnchorTopLeft, {10, 20, 110, 70}},
        {ui::kAnchorTopWide, {10, 20, 140, 70}},
        {ui::kAnchorTopRight, {40, 20, 140, 70}},
        {ui::kAnchorBottomRight, {40, 25, 140, 75}},
        {ui::kAnchorAll, {10, 20, 140, 75}},
    };
    for (const auto& c : cases) {
        RECT got = ui::AnchoredRect(r, c.anchors, 30, 5);
        EXPECT_EQ(got.left, c.expected.left) << c.anchors;
        EXPECT_EQ(got.top, c.expected.top) << c.anchors;
        EXPECT_EQ(got.right, c.expected.right) << c.anchors;
        EXPECT_EQ(got.bottom, c.expected.bottom) << c.anchors;
    }
}

TEST(MessageLoop, MouseMovesPaintsAndTimersDoNotRearmIdle) {
    EXPECT_FALSE(ui::MessageLoop::RearmsIdle(WM_MOUSEMOVE));
    EXPECT_FALSE(ui::MessageLoop::RearmsIdle(WM_NCMOUSEMOVE));
    EXPECT_FALSE(ui::MessageLoop::RearmsIdle(WM_PAINT));
    EXPECT_FALSE(ui::MessageLoop::RearmsIdle(0x118));
    EXPECT_TRUE(ui::MessageLoop::RearmsIdle(WM_KEYDOWN));
    EXPECT_TRUE(ui::MessageLoop::RearmsIdle(WM_TIMER));
}

// Posts a message on its first idle call and quits on its second, so the
// loop must have gone idle again after the message.
struct ScriptedIdle : ui::IdleHandler {
    int calls = 0;
    void OnIdle() override {
        if (++calls == 1) {
            ::PostThreadMessageA(::GetCurrentThreadId(), WM_APP + 1, 0, 0);
        } else {
            ::PostQuitMessage(7);
        }
    }
};

struct SwallowingFilter : ui::MessageFilter {
    UINT swallow;
    int seen = 0;
    explicit SwallowingFilter(UINT m) : swallow(m) {}
    bool PreTranslateMessage(MSG& message) override {
        if (message.message != swallow) return false;
        ++seen;
        return true;
    }
};

TEST(MessageLoop, FiltersSeeMessagesFirstAndIdleRunsWhenTheQueueEmpties) {
    ui::MessageLoop loop;
    EXPECT_EQ(ui::MessageLoop::Current(), &loop);
    ScriptedIdle idle;
    SwallowingFilter filter(WM_APP + 1);
    loop.AddIdleHandler(&idle);
    loop.AddMessageFilter(&filter);
    EXPECT_EQ(loop.Run(), 7);
    EXPECT_EQ(filter.seen, 1);
    EXPECT_EQ(idle.calls, 2);
}

// A dialog whose command handler throws.
class ThrowingDialog : public ui::Dialog {
protected:
    bool OnCommand(int, int, HWND) override { throw std::runtime_error("handler failure"); }
};

TEST(Dialog, AnExceptionOfAHandlerStopsAtTheProcedureAndIsTraced) {
    testsupport::MemoryTemplate tmpl(WS_POPUP, 100, 60, {});
    ThrowingDialog dialog;
    HWND hwnd = dialog.CreateIndirect(nullptr, tmpl.Get());
    ASSERT_TRUE(hwnd);
    testsupport::TraceRecorder traces;
    ::SendMessageA(hwnd, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(traces.Saw({"dialog procedure", "handler failure"}));
    EXPECT_TRUE(::IsWindow(hwnd));
    ::DestroyWindow(hwnd);
}

TEST(ListView, ReadsTextsOfAnyLengthWhole) {
    testsupport::MemoryTemplate tmpl(WS_POPUP, 200, 100,
                                {{100, "SysListView32", "", LVS_REPORT, 0, 0, 200, 100}});
    ui::Dialog dialog;
    HWND hwnd = dialog.CreateIndirect(nullptr, tmpl.Get());
    ASSERT_TRUE(hwnd);
    ui::ListView list(dialog.Item(100));
    list.InsertColumn(0, "a", 100);
    list.InsertColumn(1, "b", 100);
    list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    std::string longText(5000, 'x');
    int row = list.InsertItem(list.Count(), "short", 0, 42);
    list.SetText(row, 1, longText);
    EXPECT_EQ(list.Text(row, 0), "short");
    EXPECT_EQ(list.Text(row, 1), longText);
    EXPECT_EQ(list.Data(row), 42);
    list.SetChecked(row, true);
    EXPECT_EQ(list.StateImage(row), 2);
    list.SetChecked(row, false);
    EXPECT_EQ(list.StateImage(row), 1);
    // The partly ticked picture comes once, after the two of the check box.
    for (int twice = 0; twice < 2; ++twice) EXPECT_TRUE(list.AddPartlyTickedImage());
    EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list.Hwnd(), LVSIL_STATE)), 3);
    ListView_SetItemState(list.Hwnd(), row, INDEXTOSTATEIMAGEMASK(ui::ListView::kPartlyTicked), LVIS_STATEIMAGEMASK);
    EXPECT_EQ(list.StateImage(row), ui::ListView::kPartlyTicked);
    list.Select(row);
    EXPECT_EQ(list.Selected(), row);
    ::DestroyWindow(hwnd);
}

// A list view without LVS_SHAREIMAGELISTS destroys its image lists with
// itself, so it is given them; one with that style is lent them by an owner
// that outlives it. A hand-over that does not fit the style would free the
// list twice or never: developers are told.
TEST(ListView, ImageListsAreLentToSharingListsAndGivenToTheOthers) {
    const struct Case {
        DWORD style;
        bool give;
        bool traced;
    } cases[] = {
        {LVS_SHAREIMAGELISTS, false, false},
        {0, true, false},
        {0, false, true},
        {LVS_SHAREIMAGELISTS, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << (c.give ? " given" : " lent"));
        testsupport::MemoryTemplate tmpl(WS_POPUP, 200, 100,
                                         {{100, "SysListView32", "", LVS_REPORT | c.style, 0, 0, 200, 100}});
        ui::Dialog dialog;
        HWND hwnd = dialog.CreateIndirect(nullptr, tmpl.Get());
        ASSERT_TRUE(hwnd);
        ui::ListView list(dialog.Item(100));
        ui::ImageList images = ui::CreateSmallImageList();
        const HIMAGELIST raw = images.Get();
        ASSERT_TRUE(raw);
        testsupport::TraceRecorder traces;
        if (c.give) {
            list.GiveSmallImages(std::move(images));
            EXPECT_FALSE(images) << "the list owns it now";
        } else {
            list.LendSmallImages(images);
        }
        EXPECT_EQ(list.SmallImages(), raw);
        EXPECT_EQ(traces.Saw({"list view", "image list"}), c.traced);
        ::DestroyWindow(hwnd);
        const bool listDestroysIt = !(c.style & LVS_SHAREIMAGELISTS);
        if (!listDestroysIt) {
            int cx = 0, cy = 0;
            EXPECT_TRUE(::ImageList_GetIconSize(raw, &cx, &cy)) << "the list is gone, its images are not";
            if (c.give) ::ImageList_Destroy(raw);
        } else if (!c.give) {
            images.Release();  // the list destroyed it already
        }
    }
}

TEST(ListRowColors, RowsWithoutOwnColoursTakeTheDefault) {
    ui::ListRowColors colors;
    colors.SetDefault({RGB(0, 0, 0), RGB(255, 245, 235)});
    colors.Set(2, {RGB(0, 160, 0), RGB(255, 255, 255)});
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(colors.OnCustomDraw(draw.nmcd.hdr), CDRF_NOTIFYITEMDRAW);
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.dwItemSpec = 2;
    colors.OnCustomDraw(draw.nmcd.hdr);
    EXPECT_EQ(draw.clrText, RGB(0, 160, 0));
    draw.nmcd.dwItemSpec = 7;
    colors.OnCustomDraw(draw.nmcd.hdr);
    EXPECT_EQ(draw.clrTextBk, RGB(255, 245, 235));
}

TEST(SkinnedButton, DrawsThroughItsParentAndTracksTheMouse) {
    testsupport::MemoryTemplate tmpl(WS_POPUP | WS_VISIBLE, 120, 60,
                                {{10, "BUTTON", "Start", BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 60, 14}});
    ui::Dialog dialog;
    HWND hwnd = dialog.CreateIndirect(nullptr, tmpl.Get());
    ASSERT_TRUE(hwnd);
    HWND button = dialog.Item(10);
    {
        ui::SkinnedButton skinned;
        ui::ButtonLook look;
        look.hyperlink = true;
        look.text = RGB(0, 0, 255);
        look.textHover = RGB(255, 0, 0);
        skinned.Attach(button, look);
        EXPECT_EQ(ui::SkinnedButton::Of(button), &skinned);
        EXPECT_EQ(::GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
        ::SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(skinned.Hovered());
        ::UpdateWindow(hwnd);
        ::RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ::SendMessageA(button, WM_MOUSELEAVE, 0, 0);
        EXPECT_FALSE(skinned.Hovered());
    }
    EXPECT_EQ(ui::SkinnedButton::Of(button), nullptr);
    ::DestroyWindow(hwnd);
}

// The pixels a skinned button draws, and those of its caption drawn as wide
// text in the same place, font and colours: the same when every character
// of the caption reaches the screen as itself.
TEST(SkinnedButton, DrawsCaptionsInEveryScript) {
    testsupport::MemoryTemplate tmpl(WS_POPUP, 200, 40, {{10, "BUTTON", "", BS_PUSHBUTTON, 5, 5, 150, 14}});
    ui::Dialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(nullptr, tmpl.Get()));
    HWND button = dialog.Item(10);
    ui::SkinnedButton skinned;
    ui::ButtonLook look;
    look.hyperlink = true;  // no frame: only the caption is drawn
    look.background = look.backgroundHover = RGB(255, 255, 255);
    look.text = look.textHover = RGB(0, 0, 0);
    skinned.Attach(button, look);
    RECT rect{};
    ::GetClientRect(button, &rect);
    testsupport::Canvas canvas(rect.right, rect.bottom);
    HDC dc = canvas.Dc();
    auto pixels = [&] {
        std::vector<COLORREF> all;
        for (int y = 0; y < rect.bottom; ++y) {
            for (int x = 0; x < rect.right; ++x) all.push_back(canvas.At(x, y));
        }
        return all;
    };
    for (const char* caption : {"Optionen \xC3\xA4\xC3\xB6", "\xD0\x92\xD0\xBE\xD1\x81\xD1\x81\xD1\x82",
                                "\xE6\x81\xA2\xE5\xA4\x8D"}) {
        ::SetWindowTextA(button, caption);
        DRAWITEMSTRUCT item{ODT_BUTTON, 10, 0, ODA_DRAWENTIRE, 0, button, dc, rect, 0};
        skinned.Draw(item);
        const std::vector<COLORREF> drawn = pixels();

        ::FillRect(dc, &rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        HGDIOBJ font = ::SelectObject(dc, skinned.TextFont());
        RECT text = skinned.TextRect(dc, rect);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(0, 0, 0));
        wchar_t wide[64] = {};
        ::MultiByteToWideChar(CP_UTF8, 0, caption, -1, wide, 64);
        ::DrawTextW(dc, wide, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_CENTER);
        ::SelectObject(dc, font);
        EXPECT_EQ(drawn, pixels()) << caption;
    }
    ::DestroyWindow(dialog.Hwnd());
}

}  // namespace
