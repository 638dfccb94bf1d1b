#pragma once
#include <string>

// The folder of the executable that started the host process (not of this library),
// without a trailing backslash; empty when its path has no backslash.
[[nodiscard]] std::string GetHostDirectory();
