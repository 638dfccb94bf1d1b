// quorvel-check.exe run as a host team runs it, on the sample host folder and on broken
// ones: its exit code and the lines of its report.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kHosts = std::string(QUORVEL_TEST_DATA) + "/hosts/";

struct CheckerRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::vector<std::string> lines;

    [[nodiscard]] bool Has(const std::string& line) const {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    [[nodiscard]] bool HasStarting(const std::string& start) const {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
    }
    [[nodiscard]] std::string All() const {
        std::string all;
        for (const std::string& line : lines) all += line + "\n";
        return all;
    }
};

// The test's own folder: the build's host folder, with the DLLs and the sample host's files.
std::string OwnFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string file(path);
    return file.substr(0, file.rfind('\\'));
}

std::string CheckerPath() { return OwnFolder() + "\\quorvel-check.exe"; }

// Runs the checker with `arguments` and collects its standard output by lines.
CheckerRun RunChecker(const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CheckerRun run;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    std::string command = "\"" + CheckerPath() + "\" " + arguments;
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                          &startup, &process);
    ::CloseHandle(writeEnd);
    std::string output;
    if (started) {
        char buffer[4096];
        DWORD read = 0;
        while (::ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) output.append(buffer, read);
        ::WaitForSingleObject(process.hProcess, 30000);
        ::GetExitCodeProcess(process.hProcess, &run.exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(readEnd);
    std::istringstream stream(output);
    for (std::string line; std::getline(stream, line);) run.lines.push_back(line);
    return run;
}

// Checks `run` against the report file `name`.report beside the host folders: its
// "exit N" line is the exit code; each other line (but # comments) is a line of the
// report, or, ending in "...", the start of one, or, also starting with "...", part of one.
void ExpectReport(const CheckerRun& run, const std::string& name) {
    std::ifstream file(kHosts + name + ".report", std::ios::binary);
    ASSERT_TRUE(file) << name;
    const std::string dots = "...";
    const auto endsInDots = [&](const std::string& line) {
        return line.size() >= dots.size() && line.compare(line.size() - dots.size(), dots.size(), dots) == 0;
    };
    int expected = 0;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        ++expected;
        if (line.rfind("exit ", 0) == 0) {
            EXPECT_EQ(run.exitCode, std::stoul(line.substr(5))) << run.All();
            continue;
        }
        bool found = false;
        if (line.size() > 2 * dots.size() && line.rfind(dots, 0) == 0 && endsInDots(line))
            found = run.All().find(line.substr(dots.size(), line.size() - 2 * dots.size())) != std::string::npos;
        else if (endsInDots(line))
            found = run.HasStarting(line.substr(0, line.size() - dots.size()));
        else
            found = run.Has(line);
        EXPECT_TRUE(found) << "missing: " << line << "\n" << run.All();
    }
    EXPECT_GT(expected, 1) << name << ".report holds no expectations";
}

TEST(CheckProgram, SampleHostFolderHasNoError) {
    ExpectReport(RunChecker("--language 0804 \"" + OwnFolder() + "\""), "sample");
}

TEST(CheckProgram, BrokenFilesAreErrorsWithTheirReasons) {
    ExpectReport(RunChecker("--language 0804 \"" + kHosts + "broken\""), "broken");
}

TEST(CheckProgram, RefusedFilesSayWhy) {
    ExpectReport(RunChecker("--language 0409 \"" + kHosts + "refused\""), "refused");
}

TEST(CheckProgram, DirectoryFindings) {
    const CheckerRun run = RunChecker("--language 0409 \"" + kHosts + "findings\"");
    ExpectReport(run, "findings");
    // 陈芳 sits in a sub-department and 李娜's URI is not her identifier: a reopened conference finds both.
    EXPECT_EQ(run.All().find("reopened conference"), std::string::npos) << run.All();
}

TEST(CheckProgram, EveryLanguageFileIsCheckedAndANamedLanguageNeedsItsOwn) {
    const CheckerRun run = RunChecker("--language 0804 \"" + kHosts + "refused\"");
    EXPECT_TRUE(run.Has("  error: machines of language 0804: lang\\0804.xml does not exist, so the library reads the "
                        "fallback lang\\0409.xml"))
        << run.All();
    EXPECT_TRUE(run.Has("  error: lang\\0411.xml: found, 86 bytes, not loaded: not well-formed XML")) << run.All();
    EXPECT_TRUE(run.Has("  warning: lang\\readme.xml: not named by a language id (XXXX.xml, four hexadecimal digits): "
                        "no machine reads it"))
        << run.All();
    // The machine's own language without a file is only a note: it is not one the host named.
    const CheckerRun machine = RunChecker("\"" + kHosts + "findings\"");
    EXPECT_FALSE(machine.HasStarting("  error: this machine's language")) << machine.All();
    EXPECT_TRUE(machine.Has("  error: lang\\0409.xml: not found (or not readable)")) << machine.All();
}

TEST(CheckProgram, AMissingFolderIsOneError) {
    const CheckerRun run = RunChecker("\"" + kHosts + "no such folder\"");
    EXPECT_EQ(run.exitCode, 1u) << run.All();
    ASSERT_EQ(run.lines.size(), 3u) << run.All();
    EXPECT_EQ(run.lines[1], "  error: folder not found: " + kHosts + "no such folder") << run.All();
    EXPECT_EQ(run.lines[2], "1 error, 0 warnings") << run.All();
}

TEST(CheckProgram, AFolderPathTooLongForTheLibraryIsReported) {
    // Nested below the test's folder until the host files' paths pass 259 bytes, while
    // an executable with a short name still fits the 255 bytes the library reads.
    std::string folder = OwnFolder() + "\\long-host-folder";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    while (folder.size() < 235) {
        folder += "\\" + std::string(std::min<std::size_t>(40, 235 - folder.size()), 'd');
        ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS) << folder;
    }
    const CheckerRun run = RunChecker("\"" + folder + "\"");
    EXPECT_TRUE(run.HasStarting("  warning: the folder's path is " + std::to_string(folder.size()) +
                                " bytes: files below it whose path passes 259"))
        << run.All();
}

TEST(CheckProgram, WithoutAFolderItSaysHowToCallIt) {
    const CheckerRun run = RunChecker("");
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_TRUE(run.HasStarting("usage: quorvel-check.exe")) << run.All();
}

}  // namespace
