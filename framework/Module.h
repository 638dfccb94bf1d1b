#pragma once
#include <windows.h>

#include <string>

// The module whose resources the dialogs are built from: the library when it is
// loaded as a DLL, the executable when its code is linked into a test program.
HINSTANCE ModuleHandle();

// The path of `module`'s file (null: the process's executable), read into a buffer of
// `capacity` characters: a longer path comes back cut to that many.
[[nodiscard]] std::string ModuleFileName(HMODULE module, DWORD capacity = MAX_PATH);
void SetModuleHandle(HINSTANCE module);

// Shows a message box owned by `owner`; the texts are 8-bit code page text.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT flags = MB_OK);
