#include "checker/HostCheck.h"

#include "Quorvel.h"
#include "checker/DirectoryCheck.h"
#include "checker/LanguageCheck.h"
#include "checker/SkinCheck.h"

HostReport CheckHostFolder(const std::string& hostDirectory, unsigned langId) {
    std::string directory = hostDirectory;
    while (directory.size() > 1 && (directory.back() == '\\' || directory.back() == '/')) directory.pop_back();
    HostReport report;
    report.Section("Quorvel " QUORVEL_VERSION_TEXT " host folder check: " + directory);
    CheckDirectory(report, directory);
    CheckLanguage(report, directory, langId);
    CheckSkin(report, directory);
    return report;
}
