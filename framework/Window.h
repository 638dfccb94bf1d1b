#pragma once
// Thin, non-owning wrappers over window handles, named after the messages they send.
// Only what the dialogs use.
#include <windows.h>
#include <commctrl.h>
#include <string>

#include "framework/Text.h"

class Window {
public:
    Window() = default;
    explicit Window(HWND handle) : handle_(handle) {}

    [[nodiscard]] HWND Handle() const { return handle_; }
    [[nodiscard]] bool Exists() const { return handle_ != nullptr && ::IsWindow(handle_); }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(handle_, message, wParam, lParam);
    }

    [[nodiscard]] std::string GetText() const { return text::GetWindowText(handle_); }
    void SetText(const std::string& s) const { text::SetWindowText(handle_, s); }
    void Move(int x, int y, int width, int height, bool repaint = true) const {
        ::MoveWindow(handle_, x, y, width, height, repaint ? TRUE : FALSE);
    }
    void Show(bool visible) const { ::ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE); }
    [[nodiscard]] RECT ClientRect() const {
        RECT r{};
        ::GetClientRect(handle_, &r);
        return r;
    }
    [[nodiscard]] RECT WindowRect() const {
        RECT r{};
        ::GetWindowRect(handle_, &r);
        return r;
    }
    [[nodiscard]] LONG_PTR Style() const { return ::GetWindowLongPtrA(handle_, GWL_STYLE); }
    void SetStyle(LONG_PTR style) const { ::SetWindowLongPtrA(handle_, GWL_STYLE, style); }
    void SetRedraw(bool on) const { Send(WM_SETREDRAW, on ? TRUE : FALSE); }
    template <class Control = Window>
    [[nodiscard]] Control Item(int id) const {
        return Control(::GetDlgItem(handle_, id));
    }

protected:
    HWND handle_ = nullptr;
};

class Button : public Window {
public:
    using Window::Window;
    void SetCheck(int state) const { Send(BM_SETCHECK, static_cast<WPARAM>(state)); }
};

class Edit : public Window {
public:
    using Window::Window;
    void LimitText(int bytes) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(bytes)); }
    [[nodiscard]] DWORD GetSel() const { return static_cast<DWORD>(Send(EM_GETSEL)); }
    void SetSel(int start, int end) const { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void ScrollCaret() const { Send(EM_SCROLLCARET); }
};

class ComboBox : public Window {
public:
    using Window::Window;
    int AddString(const std::string& s) const {
        return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str())));
    }
    [[nodiscard]] int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void SetCurSel(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
};
