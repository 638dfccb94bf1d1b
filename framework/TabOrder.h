#pragma once
// Tab and Shift+Tab over a dialog's controls in an order of its own, for a dialog whose
// z-order cannot give it.
#include <windows.h>

#include <cstddef>

// The control after `focus` (before it, `backward`) among the controls `ids` of `dialog`,
// wrapping round and passing over hidden and disabled ones; from a control not among
// them, the first (or the last). Null when none can take the focus.
[[nodiscard]] HWND NextInTabOrder(HWND dialog, const int* ids, std::size_t count, HWND focus, bool backward);
