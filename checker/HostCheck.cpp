#include "checker/HostCheck.h"

#include <windows.h>

#include "Quorvel.h"
#include "checker/DirectoryCheck.h"
#include "checker/LanguageCheck.h"
#include "checker/LibraryCheck.h"
#include "checker/SkinCheck.h"

HostReport CheckHostFolder(const std::string& hostDirectory, unsigned langId, bool languageGiven) {
    std::string directory = hostDirectory;
    while (directory.size() > 1 && (directory.back() == '\\' || directory.back() == '/')) directory.pop_back();
    HostReport report;
    report.Section("Quorvel " QUORVEL_VERSION_TEXT " host folder check: " + directory);
    // Every file would be missing: one finding says it all.
    const DWORD attributes = ::GetFileAttributesA(directory.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        report.Error("folder not found: " + directory);
        return report;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        report.Error("not a folder: " + directory);
        return report;
    }
    CheckLibraries(report, directory);
    CheckDirectory(report, directory);
    CheckLanguage(report, directory, langId, languageGiven);
    CheckSkin(report, directory);
    return report;
}
