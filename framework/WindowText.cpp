// The window texts of Text.h: the only text helpers that call the platform, so that the
// others build without Windows as well.
#include <windows.h>

#include <vector>

#include "framework/Text.h"

namespace text {

std::string GetWindowText(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const int copied = ::GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void SetWindowText(HWND window, const std::string& s) { ::SetWindowTextA(window, s.c_str()); }

}  // namespace text
