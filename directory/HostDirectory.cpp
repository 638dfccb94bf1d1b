#include "directory/HostDirectory.h"

#include <windows.h>

std::string GetHostDirectory() {
    char path[255] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string full(path, length < sizeof path ? length : sizeof path);
    const size_t slash = full.rfind('\\');
    return slash == std::string::npos ? std::string() : full.substr(0, slash);
}
