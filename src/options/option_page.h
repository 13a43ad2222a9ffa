#pragma once
// One tab page of the options dialog: a child dialog that shows either set
// of the settings it edits and writes the user's set when asked.
#include <windows.h>

#include <array>
#include <cstdint>

#include "config/settings.h"
#include "ui/dialog.h"
#include "ui/gdi.h"
#include "ui/layout.h"

namespace options {

class OptionPage : public ui::Dialog {
public:
    // Shows the values of the given set in the page's controls.
    virtual void LoadPage(config::ValueSet set) = 0;
    // Writes what the controls show as the user's values; false when the
    // settings file could not be saved.
    virtual bool SavePage() = 0;
    // Carries out, before any page saves, a change that may fail (one made
    // outside the settings file); false when it failed, after the page
    // showed why, and the dialog stays open with nothing saved.
    virtual bool Commit() { return true; }

protected:
    // What every page does first while it initialises: the tab-page
    // background, the translated texts, small pictures on the add and delete
    // icons (where the page has them) and the resizing layout.
    void InitPage(const ui::LayoutRule* rules, size_t count);
    template <size_t N>
    void InitPage(const ui::LayoutRule (&rules)[N]) {
        InitPage(rules, N);
    }
    void OnSize(int width, int height) override { layout_.Apply(width, height); }

    std::string ItemText(int id) const;
    // The window that owns message boxes and dialogs opened by the page.
    HWND TopWindow() const { return ::GetAncestor(Hwnd(), GA_ROOT); }

private:
    ui::Layout layout_;
    // The small add and remove pictures of the page's lists (a page has up
    // to two such pairs).
    std::array<ui::Icon, 4> smallIcons_;
};

// True when a command from a clickable icon static is a click.
inline bool IsIconClick(int code) { return code == STN_CLICKED; }

}  // namespace options
