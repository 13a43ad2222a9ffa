#pragma once
// A page of the wizard: a child dialog inside the wizard's page host. The
// page protocol's messages arrive as virtual calls.
#include <memory>

#include "ui/dialog.h"
#include "ui/page_protocol.h"

namespace ui {

class WizardPage : public Dialog {
public:
    // Creates the page's window as a child of the page host.
    HWND CreatePage(HWND pageHost, int templateId) { return Create(pageHost, templateId); }

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
};

// A page object and the dialog template its window is made from.
struct PageSlot {
    std::unique_ptr<WizardPage> page;
    int templateId;
};

}  // namespace ui
