#pragma once
#include <windows.h>

// Saves what the screen shows of `window` (frame included) as a 24-bit BMP file.
bool SaveWindowScreenshot(HWND window, const char* path);
// The same for the smallest rectangle holding two windows (a dialog over another).
bool SaveWindowsScreenshot(HWND under, HWND over, const char* path);
// What the screen shows in `r` (screen coordinates).
bool SaveScreenRect(const RECT& r, const char* path);
