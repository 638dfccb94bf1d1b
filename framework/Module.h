#pragma once
#include <windows.h>

// The module whose resources the dialogs are built from: the library when it is
// loaded as a DLL, the executable when its code is linked into a test program.
HINSTANCE ModuleHandle();
void SetModuleHandle(HINSTANCE module);

// Shows a message box owned by `owner`; the texts are 8-bit code page text.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT flags = MB_OK);
