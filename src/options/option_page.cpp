#include "options/option_page.h"

#include <iterator>
#include <string>

#include "options/options_ids.h"
#include "platform/window_text.h"
#include "text/language_table.h"
#include "ui/shell_actions.h"

namespace options {

namespace {

// Shows a 16x16 picture of an icon resource in an icon static, which then
// takes the picture's size; the holder keeps the icon alive.
void ShowSmallIcon(HWND iconStatic, int iconId, ui::Icon& holder) {
    if (!iconStatic) return;
    holder = ui::LoadResourceIcon(iconId);
    if (!holder) return;
    ::SendMessageA(iconStatic, STM_SETICON, reinterpret_cast<WPARAM>(holder.Get()), 0);
    ::SetWindowPos(iconStatic, nullptr, 0, 0, 16, 16, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The icon statics that show a small picture, and which.
struct SmallIcon {
    int control;
    int icon;
};
constexpr SmallIcon kSmallIcons[] = {
    {IDC_ADD_ENTRY, IDI_ADD_ENTRY},
    {IDC_DELETE_ENTRY, IDI_DELETE_ENTRY},
    {IDC_KEEP_ADD, IDI_ADD_ENTRY},
    {IDC_KEEP_REMOVE, IDI_DELETE_ENTRY},
};

}  // namespace

void OptionPage::InitPage(const ui::LayoutRule* rules, size_t count) {
    ui::EnableTabPageBackground(Hwnd());
    // Translating sets every control's text again, which makes an icon static
    // reload its picture: the small pictures go in afterwards.
    text::TranslateWindow(Hwnd());
    static_assert(std::size(kSmallIcons) <= std::tuple_size_v<decltype(smallIcons_)>);
    for (size_t i = 0; i < std::size(kSmallIcons); ++i) {
        ShowSmallIcon(Item(kSmallIcons[i].control), kSmallIcons[i].icon, smallIcons_[i]);
    }
    layout_.Init(Hwnd(), rules, count);
}

std::string OptionPage::ItemText(int id) const { return platform::WindowText(Item(id)); }

}  // namespace options
