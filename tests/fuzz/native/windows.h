#pragma once
// The native builds' stand-in for the platform header: the types and the control ids
// that files of the parsers' folders still name (window handles, rectangles, the
// picker's layout), and nothing to call. A parser that calls the platform does not build
// natively.
struct HWND__;
typedef HWND__* HWND;
struct RECT {
    long left, top, right, bottom;
};

#define IDOK 1
#define IDCANCEL 2
