#pragma once
// Base class of every dialog and page made from a resource template. The
// dialog procedure routes messages to virtual handlers; an exception thrown
// by a handler never leaves the procedure.
#include <windows.h>

namespace ui {

class Dialog {
public:
    Dialog() = default;
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally over owner; returns the code given to End.
    INT_PTR RunModal(HWND owner, int templateId);
    // Creates the dialog as a modeless window (a child when parent is given
    // and the template has the child style).
    HWND Create(HWND parent, int templateId);
    // The same from a template in memory.
    HWND CreateIndirect(HWND parent, const DLGTEMPLATE* dialogTemplate);

    HWND Hwnd() const { return hwnd_; }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
    bool IsModal() const { return modal_; }

protected:
    // Handlers return true when they handled the message.
    virtual bool OnInit() { return true; }  // result of WM_INITDIALOG (focus)
    virtual bool OnCommand(int id, int code, HWND control);
    virtual bool OnNotify(const NMHDR& header, LRESULT& result);
    virtual void OnSize(int width, int height);
    virtual void OnDestroy() {}
    // Every other message; set result for messages that return a value.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Ends a modal dialog with code, or destroys a modeless one.
    void End(INT_PTR code);
    void SetItemText(int id, const char* text) const { ::SetDlgItemTextA(hwnd_, id, text); }
    void EnableItem(int id, bool enable) const { ::EnableWindow(Item(id), enable); }

private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    bool modal_ = false;
};

// Centres a window over its owner, or over the work area when the owner is
// missing, hidden or minimised, keeping it inside the work area.
void CenterWindow(HWND window, HWND owner);

}  // namespace ui
