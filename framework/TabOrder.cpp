#include "framework/TabOrder.h"

HWND NextInTabOrder(HWND dialog, const int* ids, std::size_t count, HWND focus, bool backward) {
    const int n = static_cast<int>(count);
    int at = backward ? 0 : n - 1;  // from elsewhere: the first stop, or the last
    for (int i = 0; i < n; ++i)
        if (::GetDlgItem(dialog, ids[i]) == focus) at = i;
    for (int step = 1; step <= n; ++step) {
        const int i = ((backward ? at - step : at + step) % n + n) % n;
        const HWND next = ::GetDlgItem(dialog, ids[i]);
        if (next != nullptr && ::IsWindowVisible(next) && ::IsWindowEnabled(next)) return next;
    }
    return nullptr;
}
