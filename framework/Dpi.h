#pragma once
// Pixel numbers written for 96 DPI, scaled to a window's DPI as the system scales its own.
#include <windows.h>

inline constexpr int kDefaultDpi = 96;

// `pixels` at 96 DPI, at `dpi`: MulDiv rounds half away from zero, as the system does.
[[nodiscard]] inline int ScaleForDpi(int pixels, int dpi) {
    return dpi == kDefaultDpi ? pixels : ::MulDiv(pixels, dpi, kDefaultDpi);
}

// The DPI `window` is drawn at: the window's own where the host is aware of each
// monitor's, else the one its dialog units and fonts were made for.
[[nodiscard]] int WindowDpi(HWND window);
