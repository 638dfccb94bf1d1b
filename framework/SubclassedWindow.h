#pragma once
// An object attached to an existing window (a control of a dialog template) by
// replacing its window procedure. Messages go to the derived class's message map;
// what the map does not take, and what a handler passes on with Default(), goes
// to the procedure the window had before.
#include <windows.h>

#include "framework/MessageMap.h"

class SubclassedWindow {
public:
    SubclassedWindow() = default;
    // Detaches from a window that still exists.
    virtual ~SubclassedWindow();
    SubclassedWindow(const SubclassedWindow&) = delete;
    SubclassedWindow& operator=(const SubclassedWindow&) = delete;

    // Attaches to `window`; false when already attached or the window does not exist.
    bool Subclass(HWND window);
    // Gives the window its own procedure back.
    void Unsubclass();

    [[nodiscard]] HWND Handle() const { return handle_; }

protected:
    // Derived classes forward to their message map.
    virtual bool DispatchMessageMap(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }
    // The window's own processing of the message being handled.
    LRESULT Default();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    WNDPROC original_ = nullptr;
    MSG current_{};
};
