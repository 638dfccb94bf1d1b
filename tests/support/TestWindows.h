#pragma once
// Windows for unit tests that host controls: a plain visible parent, and a watcher
// that answers the message boxes a call opens on this thread.
#include <windows.h>

#include <string>
#include <vector>

#include "support/DialogDriver.h"

namespace testwindows {

inline HWND CreateParent(int width = 400, int height = 200) {
    static const ATOM atom = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "QuorvelUnitTestParent";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        return ::RegisterClassA(&wc);
    }();
    (void)atom;
    const HWND parent = ::CreateWindowExA(0, "QuorvelUnitTestParent", "test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                          20, 20, width, height, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                                          nullptr);
    ::SetForegroundWindow(parent);
    return parent;
}

using SeenBox = e2e::MessageBoxInfo;

// While alive, every message box of this thread is read and closed with OK.
class MessageBoxWatcher {
public:
    MessageBoxWatcher() {
        current() = this;
        timer_ = ::SetTimer(nullptr, 0, 20, &MessageBoxWatcher::Tick);
    }
    ~MessageBoxWatcher() {
        ::KillTimer(nullptr, timer_);
        current() = nullptr;
    }
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    const std::vector<SeenBox>& Seen() const { return seen_; }

private:
    static MessageBoxWatcher*& current() {
        static MessageBoxWatcher* watcher = nullptr;
        return watcher;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current() == nullptr) return;
        const SeenBox box = e2e::FindMessageBox();
        if (box.box == nullptr) return;
        current()->seen_.push_back(box);
        ::SendMessageA(::GetDlgItem(box.box, IDOK), BM_CLICK, 0, 0);
    }

    UINT_PTR timer_ = 0;
    std::vector<SeenBox> seen_;
};

// Lets posted and timer messages of this thread run.
inline void Pump(int ms = 0) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        if (ms > 0) ::Sleep(5);
    } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

}  // namespace testwindows
