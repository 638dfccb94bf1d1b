#include "framework/Application.h"

#include "framework/Module.h"

Application::~Application() = default;

void Application::Start() {
    // Claimed before the hook runs: the hook may pump messages in a message box, and a
    // first call racing on another thread must not run it again.
    if (started_.exchange(true)) return;
    InitInstance();
}

std::string Application::Name() {
    std::string name = ModuleFileName(ModuleHandle());
    if (name.size() >= MAX_PATH) name.clear();  // a cut path names no file
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}
