#pragma once
// The host's directory files, in the dconf folder of the host's folder; empty (a path
// no file has) when there is no host folder.
#include <string>

#include "directory/HostDirectory.h"

[[nodiscard]] inline std::string HostFile(const char* relative) {
    const std::string folder = GetHostDirectory();
    return folder.empty() ? std::string() : folder + relative;
}
[[nodiscard]] inline std::string HostDepartmentsFile() { return HostFile("\\dconf\\DepartmentInfo.xml"); }
[[nodiscard]] inline std::string HostFriendsFile() { return HostFile("\\dconf\\FriendsInfo.xml"); }
