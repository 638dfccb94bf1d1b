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

std::string ModuleFileName(HMODULE module, DWORD capacity) {
    std::string path(capacity, '\0');
    const DWORD length = ::GetModuleFileNameA(module, &path[0], capacity);
    path.resize(length < capacity ? length : capacity);
    return path;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
    return ::MessageBoxA(owner, text, caption, flags);
}
