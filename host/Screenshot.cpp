#include "host/Screenshot.h"

#include <cstdio>
#include <vector>

namespace {

void Repaint(HWND window) {
    ::UpdateWindow(window);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
}

}  // namespace

bool SaveWindowScreenshot(HWND window, const char* path) {
    Repaint(window);
    RECT r{};
    ::GetWindowRect(window, &r);
    return SaveScreenRect(r, path);
}

bool SaveWindowsScreenshot(HWND under, HWND over, const char* path) {
    Repaint(under);
    Repaint(over);
    RECT a{}, b{}, both{};
    ::GetWindowRect(under, &a);
    ::GetWindowRect(over, &b);
    ::UnionRect(&both, &a, &b);
    return SaveScreenRect(both, path);
}

bool SaveScreenRect(const RECT& r, const char* path) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;

    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::SelectObject(memory, previous);

    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    bool ok = false;
    if (FILE* out = std::fopen(path, "wb")) {
        ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
             std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
             std::fwrite(bits, static_cast<size_t>(stride) * height, 1, out) == 1;
        std::fclose(out);
    }
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return ok;
}
