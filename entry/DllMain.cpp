// The entry point keeps the module handle and nothing else: start-up work that
// creates COM objects or shows windows must not run inside the loader lock.
#include <windows.h>

#include "framework/Module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetModuleHandle(module);
        ::DisableThreadLibraryCalls(module);
    }
    return TRUE;
}
