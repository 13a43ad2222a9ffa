#pragma once
// The search options tab: the three skip switches, the three kinds of extra
// findings and the month count of the not-accessed finding.
#include "options/option_page.h"

namespace options {

class SearchOptionsPage : public OptionPage {
public:
    void LoadPage(config::ValueSet set) override;
    bool SavePage() override;

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void RecordToControls();
    // Reads the controls into the record; an empty or non-numeric months box
    // reads as 0, with a beep and the focus put into it.
    void ControlsToRecord();
    void EnableMonths() const;

    config::SearchOptions record_;
};

}  // namespace options
