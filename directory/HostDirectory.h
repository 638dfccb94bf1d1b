#pragma once
#include <string>

// The folder of the executable that started the host process (not of this library),
// without a trailing backslash. Empty when its path has no backslash or does not fit the
// 255 bytes the library reads: then no host file is read at all (a cut path would name
// an ancestor folder). Tests pass a smaller capacity to cut their own path.
[[nodiscard]] std::string GetHostDirectory(unsigned long pathCapacity = 255);

// Everything before the last backslash of `path`, the backslash found as a character of
// the process code page (a double-byte character may end in the byte 0x5C); empty when
// there is none.
[[nodiscard]] std::string FolderOfPath(const std::string& path);
