#include "framework/Application.h"

#include <windows.h>

#include "framework/Module.h"

Application::~Application() = default;

void Application::Start() {
    // Claimed before the hook runs: the hook may pump messages in a message box, and a
    // first call racing on another thread must not run it again.
    if (started_.exchange(true)) return;
    InitInstance();
}

std::string Application::Name() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(ModuleHandle(), path, sizeof path);
    std::string name(path, length < sizeof path ? length : 0);
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}
