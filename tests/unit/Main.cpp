#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>

namespace {
// A crash ends the run at once, saying so, rather than waiting on Wine's debugger until
// the test's time runs out.
LONG WINAPI OnCrash(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "crashed: exception 0x%08lX\n", info->ExceptionRecord->ExceptionCode);
    std::fflush(stderr);
    ::ExitProcess(3);
}
}  // namespace

// The library relies on its host for COM and the common controls; so do the tests.
int main(int argc, char** argv) {
    ::SetUnhandledExceptionFilter(&OnCrash);
    ::CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    ::CoUninitialize();
    return status;
}
