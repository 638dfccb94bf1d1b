#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

// A host initialises COM before it calls the library; the library registers the
// common controls it uses itself.
int main(int argc, char** argv) {
    ::CoInitialize(nullptr);
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    ::CoUninitialize();
    return status;
}
