#include "checker/LibraryCheck.h"

#include <windows.h>

#include <cstring>

#include "checker/XmlFileCheck.h"
#include "framework/Text.h"

namespace {

// The library's buffer for the executable's path, and the longest path the "A" file
// functions open.
constexpr std::size_t kExecutablePathCapacity = 255;
constexpr std::size_t kFilePathLimit = MAX_PATH - 1;
// The longest file the library opens below the host folder.
constexpr char kLongestFile[] = "\\skin\\system\\selectcontact_head.bmp";
// Room left for a short executable name ("\host.exe").
constexpr std::size_t kShortExecutableName = 12;

unsigned ReadLittleEndian(const std::string& bytes, std::size_t at, std::size_t size) {
    unsigned value = 0;
    for (std::size_t i = 0; i < size; ++i) value |= static_cast<unsigned>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

// "1.0.0" from the version resource of the program at `path`; empty when it has none.
std::string FileVersion(const std::string& path) {
    DWORD ignored = 0;
    std::string data(::GetFileVersionInfoSizeA(path.c_str(), &ignored), '\0');
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (data.empty() || !::GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
        !::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || length < sizeof *info)
        return std::string();
    return text::Format("%u.%u.%u", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                        HIWORD(info->dwFileVersionLS));
}

}  // namespace

std::optional<std::string> ProgramArchitecture(const std::string& bytes) {
    if (bytes.size() < 0x40 || bytes.compare(0, 2, "MZ") != 0) return std::nullopt;
    const std::size_t header = ReadLittleEndian(bytes, 0x3C, 4);
    if (header > bytes.size() || bytes.size() - header < 6 || bytes.compare(header, 4, std::string("PE\0\0", 4)) != 0)
        return std::nullopt;
    switch (ReadLittleEndian(bytes, header + 4, 2)) {
    case IMAGE_FILE_MACHINE_I386: return std::string("x86");
    case IMAGE_FILE_MACHINE_AMD64: return std::string("x64");
    default: return std::nullopt;
    }
}

bool IsStandInSkinLibrary(const std::string& bytes) {
    static const std::string kStandInExport("skinmmStandInCallLog", sizeof "skinmmStandInCallLog");
    return bytes.find(kStandInExport) != std::string::npos;
}

std::vector<PathFinding> PathLengthFindings(std::size_t length) {
    std::vector<PathFinding> findings;
    if (length + 2 >= kExecutablePathCapacity) {
        findings.push_back({true, text::Format("the folder's path is %d bytes: no executable in it has a path within "
                                               "the %d bytes the library reads, so it reads no host file",
                                               static_cast<int>(length), static_cast<int>(kExecutablePathCapacity))});
        return findings;
    }
    const std::size_t room = kExecutablePathCapacity - 1 - length - 1;
    if (room < kShortExecutableName)
        findings.push_back({false, text::Format("the folder's path is %d bytes: an executable whose name is longer "
                                                "than %d bytes has a path past the %d bytes the library reads, and "
                                                "then it reads no host file",
                                                static_cast<int>(length), static_cast<int>(room),
                                                static_cast<int>(kExecutablePathCapacity) - 1)});
    if (length + std::strlen(kLongestFile) > kFilePathLimit)
        findings.push_back({false, text::Format("the folder's path is %d bytes: files below it whose path passes %d "
                                                "bytes cannot be opened (%s is %d bytes past the folder)",
                                                static_cast<int>(length), static_cast<int>(kFilePathLimit),
                                                kLongestFile + 1, static_cast<int>(std::strlen(kLongestFile)))});
    return findings;
}

void CheckLibraries(HostReport& report, const std::string& hostDirectory) {
    report.Section("host");
    for (const PathFinding& finding : PathLengthFindings(hostDirectory.size()))
        finding.error ? report.Error(finding.text) : report.Warning(finding.text);

    const std::string libraryPath = hostDirectory + "\\Quorvel.dll";
    const std::optional<std::string> library = ReadWholeFile(libraryPath);
    std::optional<std::string> libraryArchitecture;
    if (!library) {
        report.Error("Quorvel.dll: not found beside the host's executable: the host cannot load the library");
    } else if (!(libraryArchitecture = ProgramArchitecture(*library))) {
        report.Error("Quorvel.dll: found, but not an x86 or x64 DLL");
    } else {
        const std::string version = FileVersion(libraryPath);
        report.Note("Quorvel.dll: found, " + *libraryArchitecture + ", version " +
                    (version.empty() ? std::string("unknown (no version resource)") : version));
    }

    const std::optional<std::string> skin = ReadWholeFile(hostDirectory + "\\SkinMM.dll");
    std::optional<std::string> skinArchitecture;
    if (!skin) {
        report.Error("SkinMM.dll: not found beside the host's executable: Quorvel.dll imports it and does not load without it");
        return;
    }
    if (!(skinArchitecture = ProgramArchitecture(*skin))) {
        report.Error("SkinMM.dll: found, but not an x86 or x64 DLL: Quorvel.dll does not load");
        return;
    }
    report.Note("SkinMM.dll: found, " + *skinArchitecture);
    if (IsStandInSkinLibrary(*skin))
        report.Warning("SkinMM.dll is the kit's stand-in, which paints nothing: ship the real skinning library in its place");
    if (libraryArchitecture && *libraryArchitecture != *skinArchitecture)
        report.Error("Quorvel.dll is " + *libraryArchitecture + " and SkinMM.dll is " + *skinArchitecture +
                     ": Quorvel.dll does not load");
}
