#pragma once
// The skinning library's three operations, as the dialogs call them. Every result
// is a 32-bit integer that no caller examines.
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

int skinmmSetSkin(HWND dialog, const char* elementName);
int skinmmRemoveCtrl(HWND control);
int skinmmSetChildShapeRect(HWND dialog, const char* shapeName, int left, int top, int right, int bottom,
                            int flag);

// Only in the stand-in: the calls received so far, one line each, for tests to read.
// Copies at most `size` bytes including the terminating zero; returns the full length.
int skinmmStandInCallLog(char* buffer, int size);
void skinmmStandInClearLog(void);

#ifdef __cplusplus
}
#endif
