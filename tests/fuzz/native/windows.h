#pragma once
// The native builds' stand-in for the platform header: the types and the control ids
// that files of the parsers' folders still name (window handles, rectangles, the
// picker's layout), and MulDiv, which the layouts scale with. A parser that calls
// anything else of the platform does not build natively.
struct HWND__;
typedef HWND__* HWND;
struct RECT {
    long left, top, right, bottom;
};

#define IDOK 1
#define IDCANCEL 2

// The number a * b / c, rounded half away from zero; -1 when c is 0 or it overflows.
inline int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    long long product = static_cast<long long>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    if (product < 0) product = -product;
    const long long divisor = c < 0 ? -static_cast<long long>(c) : c;
    const long long quotient = (product + divisor / 2) / divisor;
    if (quotient > 0x7FFFFFFFLL) return -1;
    return static_cast<int>(negative ? -quotient : quotient);
}
