#include "framework/Application.h"

#include <windows.h>

#include "framework/Module.h"

Application::~Application() = default;

void Application::Start() {
    if (started_) return;
    // Set first: the hook may pump messages in a message box.
    started_ = true;
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
