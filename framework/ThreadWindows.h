#pragma once
// Finding a window of the calling thread, as the tests and benchmarks that play a host
// do to reach the dialogs the library opens in its modal loops. (The sample host has its
// own: it ships in the kit, without the library's sources.)
#include <windows.h>

#include <string>

inline std::string WindowClassName(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

// A standard dialog box (message boxes included) that is showing.
inline bool IsVisibleDialog(HWND window) {
    return WindowClassName(window) == "#32770" && ::IsWindowVisible(window);
}

namespace thread_windows {
template <typename Match>
struct Search {
    const Match& match;
    HWND found;
};

template <typename Match>
BOOL CALLBACK Visit(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<Search<Match>*>(search);
    if (!s->match(window)) return TRUE;
    s->found = window;
    return FALSE;
}
}  // namespace thread_windows

// The first top-level window of this thread for which `match(HWND)` holds; null if none.
template <typename Match>
HWND FindThreadWindow(const Match& match) {
    thread_windows::Search<Match> search{match, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &thread_windows::Visit<Match>, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
