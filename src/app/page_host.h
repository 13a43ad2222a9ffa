#pragma once
// A child window that fills a rectangle of its parent and shows one of its
// pages at a time. Pages switch on WM_PAGEHOST_SHOWPAGE; WM_PAGEHOST_GETPAGE
// finds a page's window by index.
#include <windows.h>

#include <vector>

namespace app {

class PageHost {
public:
    PageHost() = default;
    ~PageHost();
    PageHost(const PageHost&) = delete;
    PageHost& operator=(const PageHost&) = delete;

    // Creates the host in place of a placeholder control of parent, taking
    // its id, rectangle and place in the tab order; the placeholder goes.
    bool ReplaceControl(HWND parent, int controlId);

    HWND Hwnd() const { return hwnd_; }
    // Appends a page window (a child of the host); indices follow the order
    // of adding. A page that could not be created keeps its index as null.
    void AddPage(HWND page) { pages_.push_back(page); }
    HWND Page(int index) const;
    int PageCount() const { return static_cast<int>(pages_.size()); }
    int CurrentIndex() const { return current_; }
    HWND CurrentPage() const { return Page(current_); }

    // Hides the current page and shows page index (see OnShowPage).
    void ShowPage(int index);

private:
    static bool EnsureWindowClass();
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void FitCurrentPage(bool repaint) const;

    HWND hwnd_ = nullptr;
    std::vector<HWND> pages_;
    int current_ = -1;
};

// Whether a page window is the one its host shows (its own visibility, so
// that a page of a hidden wizard still counts as shown).
inline bool IsPageShown(HWND page) {
    return page && ::IsWindow(page) && (::GetWindowLongA(page, GWL_STYLE) & WS_VISIBLE);
}

}  // namespace app
