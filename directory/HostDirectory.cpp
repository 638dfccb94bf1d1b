#include "directory/HostDirectory.h"

#include <windows.h>

#include "framework/Module.h"
#include "framework/Text.h"

std::string FolderOfPath(const std::string& path) {
    size_t slash = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (text::IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size())
            ++i;  // the trail byte, whatever it is
        else if (path[i] == '\\')
            slash = i;
    }
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string GetHostDirectory(unsigned long pathCapacity) {
    const std::string full = ModuleFileName(nullptr, pathCapacity);
    // A path that filled the whole buffer may have been cut.
    if (full.empty() || full.size() >= pathCapacity) return std::string();
    return FolderOfPath(full);
}
