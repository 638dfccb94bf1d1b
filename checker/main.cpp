// quorvel-check.exe [--language XXXX] HOSTDIR: reports what the library will read from a
// host folder. Exit code 0: no error; 1: errors found; 2: wrong arguments.
#include <windows.h>
#include <objbase.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "checker/HostCheck.h"

namespace {

// Writes the report: to a console as UTF-16, which shows on any console code page; to a
// file or pipe as its code page 936 bytes, with one line that says so when this
// machine's code page is another.
void WriteReport(const std::string& text) {
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (::GetConsoleMode(out, &mode)) {
        const std::wstring wide = ConsoleText(text);
        DWORD written = 0;
        ::WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fputs(CodePageNote(::GetACP()).c_str(), stdout);
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    unsigned langId = ::GetUserDefaultLangID();
    bool languageGiven = false;
    std::string hostDirectory;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--language" && i + 1 < argc) {
            langId = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 16));
            languageGiven = true;
        } else if (hostDirectory.empty() && argument.rfind("--", 0) != 0) {
            hostDirectory = argument;
        } else {
            hostDirectory.clear();
            break;
        }
    }
    if (hostDirectory.empty()) {
        std::fprintf(stderr, "usage: quorvel-check.exe [--language XXXX] HOSTDIR\n"
                             "  XXXX: a language id in hexadecimal (0804, 0409); this machine's by default\n");
        return 2;
    }
    // The report's line ends are "\n" wherever it goes.
    _setmode(_fileno(stdout), _O_BINARY);
    // The XML layer and the picture loader need COM on this thread, as the host gives it.
    const HRESULT com = ::CoInitialize(nullptr);
    const HostReport report = CheckHostFolder(hostDirectory, langId, languageGiven);
    WriteReport(report.Text());
    if (SUCCEEDED(com)) ::CoUninitialize();
    return report.ExitCode();
}
