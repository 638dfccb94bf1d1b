#include "directory/HostDirectory.h"

#include "framework/Module.h"

std::string GetHostDirectory() {
    const std::string full = ModuleFileName(nullptr, 255);
    const size_t slash = full.rfind('\\');
    return slash == std::string::npos ? std::string() : full.substr(0, slash);
}
