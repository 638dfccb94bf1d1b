#include "framework/Dpi.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Windows 10 and later; looked up, so that the library still loads where it is missing.
GetDpiForWindowFunction DpiForWindowFunction() {
    static const auto function = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    return function;
}

}  // namespace

int WindowDpi(HWND window) {
    if (const GetDpiForWindowFunction dpiForWindow = DpiForWindowFunction()) {
        const UINT dpi = dpiForWindow(window);
        if (dpi != 0 && dpi != kDefaultDpi) return static_cast<int>(dpi);
    }
    // A host that is not aware of DPI is given 96 above, while its dialog units may
    // follow the system's setting: the device context tells what the fonts were made for.
    const HDC dc = ::GetDC(window);
    if (dc == nullptr) return kDefaultDpi;
    const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::ReleaseDC(window, dc);
    return dpi > 0 ? dpi : kDefaultDpi;
}
