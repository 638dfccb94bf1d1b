#pragma once
// The host's directory files, in the dconf folder of the host's folder.
#include <string>

#include "directory/HostDirectory.h"

[[nodiscard]] inline std::string HostDepartmentsFile() { return GetHostDirectory() + "\\dconf\\DepartmentInfo.xml"; }
[[nodiscard]] inline std::string HostFriendsFile() { return GetHostDirectory() + "\\dconf\\FriendsInfo.xml"; }
