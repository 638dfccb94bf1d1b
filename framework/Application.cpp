#include "framework/Application.h"

#include "framework/Module.h"

Application::~Application() = default;

void Application::Start() {
    if (started_) return;
    // Set first: the hook may pump messages in a message box.
    started_ = true;
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
