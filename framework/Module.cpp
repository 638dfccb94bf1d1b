#include "framework/Module.h"

namespace {
HINSTANCE storedModule = nullptr;
}

HINSTANCE ModuleHandle() {
    if (storedModule == nullptr) {
        HMODULE self = nullptr;
        ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             reinterpret_cast<LPCSTR>(&ModuleHandle), &self);
        storedModule = self;
    }
    return storedModule;
}

void SetModuleHandle(HINSTANCE module) { storedModule = module; }

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
    return ::MessageBoxA(owner, text, caption, flags);
}
