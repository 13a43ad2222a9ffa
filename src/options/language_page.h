#pragma once
// The language tab: Automatic (the language of Windows) or one of the
// languages beside the program, each by its own name. The choice is saved
// with the other options and takes effect at the next start.
#include <string>
#include <vector>

#include "options/option_page.h"
#include "text/language_choice.h"

namespace options {

class LanguagePage : public OptionPage {
public:
    void LoadPage(config::ValueSet set) override;
    bool SavePage() override;
    // The tag the list shows chosen; empty for Automatic.
    std::string ChosenTag() const;

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Show(const std::string& tag) const;

    std::vector<text::LanguageEntry> offered_;
};

}  // namespace options
