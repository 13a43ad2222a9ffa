#include "options/language_page.h"

#include "options/options_ids.h"
#include "text/language_table.h"

namespace options {

namespace {

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PAGE_ICON, ui::kAnchorTopLeft},
    {IDC_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_LANGUAGE_NOTE, ui::kAnchorTopWide},
    {IDC_PAGE_DEFAULT, ui::kAnchorBottomRight},
};

}  // namespace

bool LanguagePage::OnInit() {
    InitPage(kLayout);
    // Row 0 is Automatic; row i + 1 the offered language i.
    HWND list = Item(IDC_LANGUAGE_LIST);
    const std::string automatic = text::LookupText("_langAutomatic");
    ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(automatic.c_str()));
    offered_ = text::OfferedLanguages();
    for (const text::LanguageEntry& language : offered_) {
        ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(language.ownName.c_str()));
    }
    LoadPage(config::ValueSet::Custom);
    return false;
}

void LanguagePage::LoadPage(config::ValueSet set) { Show(config::LoadLanguage(set)); }

bool LanguagePage::SavePage() { return config::SaveLanguage(ChosenTag()); }

void LanguagePage::Show(const std::string& tag) const {
    WPARAM row = 0;
    for (size_t i = 0; i < offered_.size(); ++i) {
        if (!tag.empty() && text::SameTag(offered_[i].tag, tag)) row = i + 1;
    }
    ::SendMessageA(Item(IDC_LANGUAGE_LIST), CB_SETCURSEL, row, 0);
}

std::string LanguagePage::ChosenTag() const {
    const LRESULT row = ::SendMessageA(Item(IDC_LANGUAGE_LIST), CB_GETCURSEL, 0, 0);
    if (row <= 0 || static_cast<size_t>(row) > offered_.size()) return {};
    return offered_[static_cast<size_t>(row) - 1].tag;
}

bool LanguagePage::OnCommand(int id, int code, HWND) {
    if (id != IDC_PAGE_DEFAULT || code != BN_CLICKED) return false;
    LoadPage(config::ValueSet::Default);
    return true;
}

}  // namespace options
