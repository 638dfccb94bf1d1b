#pragma once
// What lies beside the host's executable besides its files: the library and the skinning
// library it imports, and whether the folder's path leaves room for the library to find
// anything at all.
#include <optional>
#include <string>
#include <vector>

#include "checker/HostReport.h"

// "x86" or "x64" from a program's PE header; nothing when the bytes are no PE image of either.
[[nodiscard]] std::optional<std::string> ProgramArchitecture(const std::string& bytes);

// True for the kit's stand-in SkinMM.dll, which exports its call log beside the three
// operations of the skinning library.
[[nodiscard]] bool IsStandInSkinLibrary(const std::string& bytes);

// What a host folder's path of `length` bytes costs: the library reads the executable's
// path into 255 bytes and opens its files by paths of at most 259. One line a finding,
// with whether it is an error (the library reads no host file at all).
struct PathFinding {
    bool error = false;
    std::string text;
};
[[nodiscard]] std::vector<PathFinding> PathLengthFindings(std::size_t length);

// Reports Quorvel.dll and SkinMM.dll in `hostDirectory` and the length of its path.
void CheckLibraries(HostReport& report, const std::string& hostDirectory);
