#pragma once
// A page of the wizard: a child dialog inside the wizard's page host. The
// page protocol's messages arrive as virtual calls. A page is made for a run
// mode: in an unattended run it takes its step (unattended_run.h) by itself
// once it is shown.
#include <memory>
#include <utility>

#include "pages/page_protocol.h"
#include "ui/dialog.h"

namespace pages {

// Who drives the pages: the user, or the pages themselves from the drive
// selection to the end of the clean (the "auto" switch), or to the end of a
// preview that only logs what a clean would do (the "preview" switch).
enum class RunMode { Interactive, Unattended, Preview };

inline bool IsUnattended(RunMode mode) { return mode != RunMode::Interactive; }

class WizardPage : public ui::Dialog {
public:
    // index: the page's place in the wizard's order (kNoPage for none).
    explicit WizardPage(int index = kNoPage, RunMode mode = RunMode::Interactive) : index_(index), mode_(mode) {}

    // Creates the page's window as a child of the page host.
    HWND CreatePage(HWND pageHost, int templateId) { return Create(pageHost, templateId); }
    int Index() const { return index_; }
    RunMode Mode() const { return mode_; }

    // Destroys a page's window while the whole page still exists, so that
    // the window's last messages (OnDestroy, the rows' deletion) reach the
    // most derived page, and then the page.
    struct Deleter {
        void operator()(WizardPage* page) const;
    };

protected:
    virtual void OnActivated() {}
    virtual void OnDeactivated() {}
    // True refuses to let the wizard close.
    virtual bool OnQueryCancel() { return false; }
    virtual void OnSettingsChanged() {}
    virtual void OnNext() {}
    virtual void OnBack() {}

    // Page-specific messages (WM_SCANPAGE_STARTSCAN and the like).
    virtual bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void ShowPage(int index) const { ShowWizardPage(Hwnd(), index); }
    HWND GetPage(int index) const { return GetWizardPage(Hwnd(), index); }
    void EnableButtons(int mask) const { EnableWizardButtons(Hwnd(), mask); }
    HWND Wizard() const { return WizardOf(Hwnd()); }

    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    const int index_;
    const RunMode mode_;
};

// A page owned so that it is destroyed through WizardPage::Deleter.
using PagePtr = std::unique_ptr<WizardPage, WizardPage::Deleter>;

template <typename Page, typename... Args>
PagePtr MakePage(Args&&... args) {
    return PagePtr(std::make_unique<Page>(std::forward<Args>(args)...).release());
}

// A page object and the dialog template its window is made from.
struct PageSlot {
    PagePtr page;
    int templateId;
};

}  // namespace pages
