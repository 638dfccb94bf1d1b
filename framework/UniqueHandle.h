#pragma once
// Move-only owners of Win32 handles, one line per handle type.
#include <windows.h>
#include <commctrl.h>
#include <utility>

template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    [[nodiscard]] Handle Get() const { return handle_; }
    [[nodiscard]] bool IsValid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return IsValid(); }

    // Gives the handle up without closing it.
    [[nodiscard]] Handle Release() {
        Handle handle = handle_;
        handle_ = Traits::Invalid();
        return handle;
    }
    void Reset(Handle handle = Traits::Invalid()) {
        if (IsValid()) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

#define QUORVEL_HANDLE_TRAITS(Name, Type, InvalidValue, CloseCall)            \
    struct Name##Traits {                                                      \
        using Handle = Type;                                                   \
        static Handle Invalid() { return InvalidValue; }                       \
        static void Close(Handle h) { CloseCall(h); }                          \
    };                                                                         \
    using Name = UniqueHandle<Name##Traits>;

QUORVEL_HANDLE_TRAITS(UniqueFile, HANDLE, INVALID_HANDLE_VALUE, ::CloseHandle)
QUORVEL_HANDLE_TRAITS(UniqueGlobal, HGLOBAL, nullptr, ::GlobalFree)
QUORVEL_HANDLE_TRAITS(UniqueBitmap, HBITMAP, nullptr, ::DeleteObject)
QUORVEL_HANDLE_TRAITS(UniqueDC, HDC, nullptr, ::DeleteDC)
QUORVEL_HANDLE_TRAITS(UniqueImageList, HIMAGELIST, nullptr, ::ImageList_Destroy)

#undef QUORVEL_HANDLE_TRAITS

// Selects an object into a device context and puts the previous one back on scope exit.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() { ::SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A screen device context from GetDC, released on scope exit.
class ScreenDC {
public:
    ScreenDC() : dc_(::GetDC(nullptr)) {}
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    ~ScreenDC() { if (dc_) ::ReleaseDC(nullptr, dc_); }
    [[nodiscard]] HDC Get() const { return dc_; }

private:
    HDC dc_;
};
