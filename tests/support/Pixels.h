#pragma once
// Reading pixels of bitmaps and image lists in tests.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

struct BitmapShape {
    int width = 0, height = 0, bitsPerPixel = 0;
};

inline BitmapShape ShapeOf(HBITMAP bitmap) {
    BITMAP info{};
    if (::GetObjectA(bitmap, sizeof info, &info) == 0) return {};
    return {info.bmWidth, info.bmHeight, info.bmBitsPixel};
}

inline COLORREF PixelAt(HBITMAP bitmap, int x, int y) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(dc, bitmap);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::SelectObject(dc, previous);
    ::DeleteDC(dc);
    return colour;
}

// Each channel within `tolerance` (lossy formats).
inline bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Draws one image of a list transparently over a plain background and keeps the result.
class DrawnImage {
public:
    DrawnImage(HIMAGELIST list, int index, COLORREF background) {
        ::ImageList_GetIconSize(list, &width_, &height_);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        canvas_ = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc_ = ::CreateCompatibleDC(nullptr);
        previous_ = ::SelectObject(dc_, canvas_);
        HBRUSH brush = ::CreateSolidBrush(background);
        RECT all{0, 0, width_, height_};
        ::FillRect(dc_, &all, brush);
        ::DeleteObject(brush);
        drawn_ = ::ImageList_Draw(list, index, dc_, 0, 0, ILD_TRANSPARENT) != FALSE;
    }
    ~DrawnImage() {
        ::SelectObject(dc_, previous_);
        ::DeleteDC(dc_);
        ::DeleteObject(canvas_);
    }
    DrawnImage(const DrawnImage&) = delete;
    DrawnImage& operator=(const DrawnImage&) = delete;

    [[nodiscard]] bool Drawn() const { return drawn_; }
    [[nodiscard]] COLORREF At(int x, int y) const { return ::GetPixel(dc_, x, y); }

private:
    int width_ = 0, height_ = 0;
    HBITMAP canvas_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    bool drawn_ = false;
};
