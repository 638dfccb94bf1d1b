/* The little of <windows.h> that Quorvel.h uses, for the kit test's host built in
 * Microsoft mode (no Windows SDK on the build machine). */
#ifndef KIT_TEST_WINDOWS_H
#define KIT_TEST_WINDOWS_H
typedef struct HWND__ *HWND;
#define WM_USER 0x0400
#endif
