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

// A handle type, the value that means "no handle" and the call that closes one.
template <class HandleType, auto CloseCall, LONG_PTR InvalidValue = 0>
struct HandleTraits {
    using Handle = HandleType;
    static Handle Invalid() { return reinterpret_cast<Handle>(InvalidValue); }
    static void Close(Handle handle) { CloseCall(handle); }
};

using UniqueFile = UniqueHandle<HandleTraits<HANDLE, ::CloseHandle, -1>>;  // -1: INVALID_HANDLE_VALUE
using UniqueGlobal = UniqueHandle<HandleTraits<HGLOBAL, ::GlobalFree>>;
using UniqueBitmap = UniqueHandle<HandleTraits<HBITMAP, ::DeleteObject>>;
using UniqueDC = UniqueHandle<HandleTraits<HDC, ::DeleteDC>>;
using UniqueImageList = UniqueHandle<HandleTraits<HIMAGELIST, ::ImageList_Destroy>>;

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
