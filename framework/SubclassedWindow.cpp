#include "framework/SubclassedWindow.h"

#include "framework/ScopeGuard.h"

namespace {
// The attached object, and the procedure to forward to. The procedure is kept on the
// window too, so that a window detached from its object while another procedure sits
// on top of ours still reaches its own processing.
constexpr char kObjectProperty[] = "Quorvel.SubclassedWindow";
constexpr char kOriginalProperty[] = "Quorvel.OriginalProc";
}  // namespace

SubclassedWindow::~SubclassedWindow() { Unsubclass(); }

bool SubclassedWindow::Subclass(HWND window) {
    if (handle_ != nullptr || window == nullptr || !::IsWindow(window)) return false;
    if (::GetPropA(window, kObjectProperty) != nullptr) return false;
    const auto original = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window, GWLP_WNDPROC));
    ::SetPropA(window, kObjectProperty, this);
    ::SetPropA(window, kOriginalProperty, reinterpret_cast<HANDLE>(original));
    handle_ = window;
    original_ = original;
    ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedWindow::WindowProc));
    return true;
}

void SubclassedWindow::Unsubclass() {
    if (handle_ == nullptr) return;
    if (::IsWindow(handle_)) {
        const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(handle_, GWLP_WNDPROC));
        // Restoring under someone else's procedure would cut that one out of the chain.
        if (current == &SubclassedWindow::WindowProc) {
            ::SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
            ::RemovePropA(handle_, kOriginalProperty);
        }
        ::RemovePropA(handle_, kObjectProperty);
    }
    handle_ = nullptr;
    original_ = nullptr;
}

LRESULT SubclassedWindow::Default() {
    if (original_ == nullptr) return 0;
    return ::CallWindowProcA(original_, current_.hwnd, current_.message, current_.wParam, current_.lParam);
}

LRESULT CALLBACK SubclassedWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<SubclassedWindow*>(::GetPropA(window, kObjectProperty));
    if (self != nullptr) {
        try {
            return self->HandleMessage(message, wParam, lParam);
        } catch (...) {
            // Nothing may unwind through the window manager.
            return 0;
        }
    }
    const auto original = reinterpret_cast<WNDPROC>(::GetPropA(window, kOriginalProperty));
    if (message == WM_NCDESTROY) ::RemovePropA(window, kOriginalProperty);
    if (original == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
    return ::CallWindowProcA(original, window, message, wParam, lParam);
}

LRESULT SubclassedWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        // The last message: detach first, so that the object never sees a dead window.
        const HWND window = handle_;
        const WNDPROC original = original_;
        Unsubclass();
        ::RemovePropA(window, kOriginalProperty);
        return ::CallWindowProcA(original, window, message, wParam, lParam);
    }
    const MSG outer = current_;
    current_ = MSG{handle_, message, wParam, lParam, 0, {}};
    const ScopeGuard restore([this, &outer] { current_ = outer; });
    LRESULT result = 0;
    if (!DispatchMessageMap(message, wParam, lParam, result))
        result = ::CallWindowProcA(original_, handle_, message, wParam, lParam);
    return result;
}
