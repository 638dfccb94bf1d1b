#pragma once
// The state of the keyboard as the message being handled saw it.
#include <windows.h>

// Whether the key was held when the message being handled was sent.
[[nodiscard]] inline bool IsKeyDown(int virtualKey) { return (::GetKeyState(virtualKey) & 0x8000) != 0; }
