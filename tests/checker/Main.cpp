#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

// The XML layer and the picture loader need COM on the thread, as the checker gives it.
int main(int argc, char** argv) {
    ::CoInitialize(nullptr);
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    ::CoUninitialize();
    return status;
}
