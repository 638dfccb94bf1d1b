#pragma once
// The dialog base: a static dialog procedure that finds the object through DWLP_USER
// and forwards to its message map, then to the virtual handlers below. The
// handled/result contract of dialog procedures is kept here, in one place.
#include <windows.h>

#include "framework/MessageMap.h"
#include "framework/Window.h"

class DataExchange;

class Dialog {
public:
    explicit Dialog(int templateId);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally over `owner`; returns the code given to EndDialog, -1 on failure.
    INT_PTR DoModal(HWND owner);
    // Creates the dialog as a modeless child of `parent`.
    bool CreateChild(HWND parent);
    void DestroyWindow();

    [[nodiscard]] HWND Handle() const { return handle_; }
    [[nodiscard]] Window AsWindow() const { return Window(handle_); }
    // A control of the dialog, seen through the wrapper of its kind: Item<Button>(IDOK).
    template <class Control = Window>
    [[nodiscard]] Control Item(int id) const {
        return Control(::GetDlgItem(handle_, id));
    }

    // The owner a modal dialog takes when its caller names none: the top-level
    // window that is active on this thread, as the class library chose it.
    static HWND SafeOwner(HWND owner);

    // Runs DoDataExchange: `saving` reads the controls into the values, otherwise the
    // values are shown. False when a value could not be read: the user has been told
    // (OnValueNotInteger) and the field has the focus, its text selected.
    bool UpdateData(bool saving);

protected:
    // Binds the controls and shows the values; derived classes call it first.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(DataExchange& /*exchange*/) {}
    // Tells the user that a field read by DoDataExchange holds no number.
    virtual void OnValueNotInteger() {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Derived classes forward to their message map.
    virtual bool DispatchMessageMap(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }

    void EndDialog(INT_PTR code);
    // Default dialog processing of the message being handled, run before the rest of a handler.
    LRESULT Default();
    // The message being handled, with the cursor position and time of its sending.
    [[nodiscard]] const MSG& CurrentMessage() const { return current_; }
    // For WM_DPICHANGED: moves the dialog to the rectangle the system suggests for the
    // new DPI, which it returns.
    int TakeDpiChange();
    // A message box owned by this dialog.
    int ShowMessage(const char* text, const char* caption, UINT flags = MB_OK) const;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleBuiltIn(UINT message, WPARAM wParam, LRESULT& result);

    int templateId_;
    HWND handle_ = nullptr;
    bool modal_ = false;
    MSG current_{};
    MSG bypass_{};  // the message Default() is passing back to the dialog manager
    bool bypassActive_ = false;
};
