#pragma once
// Counts of what a process holds, for checks that nothing is left behind.
// GetGuiResources says 0 under Wine, so GDI objects are counted by probing handles.
#include <windows.h>

#include <string>

// GDI objects alive in the process: handles 1..0xFFFF that name an object.
// The first screen context allocates a few objects; warm up before a baseline.
inline int CountGdiObjects() {
    int count = 0;
    for (UINT_PTR handle = 1; handle <= 0xFFFF; ++handle) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(handle)) != 0) ++count;
    }
    return count;
}

namespace resource_count {
// Named stdcall callbacks: on i686 a lambda does not convert to WNDENUMPROC.
inline BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++*reinterpret_cast<int*>(param);
    return TRUE;
}
inline BOOL CALLBACK CountTopLevel(HWND window, LPARAM param) {
    ++*reinterpret_cast<int*>(param);
    ::EnumChildWindows(window, &CountChild, param);
    return TRUE;
}
}  // namespace resource_count

// Windows of the calling thread, top-level and children.
inline int CountThreadWindows() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &resource_count::CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

// True when nobody else holds the file open: it can be opened for writing without sharing.
inline bool CanOpenExclusively(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
}
