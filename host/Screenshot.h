#pragma once
#include <windows.h>

// Saves what the screen shows of `window` (frame included) as a 24-bit BMP file.
bool SaveWindowScreenshot(HWND window, const char* path);
