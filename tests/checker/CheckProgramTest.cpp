// quorvel-check.exe run as a host team runs it, on the sample host folder and on broken
// ones: its exit code and the lines of its report.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
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

TEST(CheckProgram, SampleHostFolderHasNoError) {
    const CheckerRun run = RunChecker("--language 0804 \"" + OwnFolder() + "\"");
    EXPECT_EQ(run.exitCode, 0u) << run.All();
    EXPECT_TRUE(run.HasStarting("  Quorvel.dll: found, x")) << run.All();
    EXPECT_TRUE(run.Has("  warning: SkinMM.dll is the kit's stand-in, which paints nothing: ship the real skinning "
                        "library in its place"))
        << run.All();
    EXPECT_TRUE(run.HasStarting("  dconf\\DepartmentInfo.xml: found, ")) << run.All();
    EXPECT_TRUE(run.HasStarting("  dconf\\FriendsInfo.xml: found, ")) << run.All();
    EXPECT_TRUE(run.Has("  company directory: 2 companies, 13 departments, 39 people, deepest nesting 4")) << run.All();
    EXPECT_TRUE(run.Has("  machines of language 0804: the library reads lang\\0804.xml")) << run.All();
    EXPECT_TRUE(run.HasStarting("  warning: DepartmentInfo.xml: identifier \"1005\" is listed 2 times")) << run.All();
    EXPECT_TRUE(run.HasStarting("  warning: identifiers that read as no number (0): \"ops01\", \"OPS01\"")) << run.All();
    EXPECT_TRUE(run.HasStarting("  skin\\system\\all_select.bmp: found, 3126 bytes, loaded, 64 x 16, cut into 4 "
                                "pictures of 16 x 16; mask colour RGB(150, 0, 0) in "))
        << run.All();
    EXPECT_TRUE(run.HasStarting("0 errors, ")) << run.All();
}

TEST(CheckProgram, BrokenFilesAreErrorsWithTheirReasons) {
    const CheckerRun run = RunChecker("--language 0804 \"" + kHosts + "broken\"");
    EXPECT_EQ(run.exitCode, 1u) << run.All();
    EXPECT_TRUE(run.HasStarting("  error: dconf\\DepartmentInfo.xml: found, 213 bytes, not loaded: encoding: no "
                                "encoding declared"))
        << run.All();
    EXPECT_TRUE(run.Has("  error: dconf\\FriendsInfo.xml: not found (or not readable)")) << run.All();
    EXPECT_TRUE(run.Has("  error: lang\\0804.xml: found, 88 bytes, not loaded: not well-formed XML")) << run.All();
    EXPECT_TRUE(run.Has("  error: lang\\0409.xml: no text for 3 messages the library asks for (shown as "
                        "\"Msg(N)\"): 10602, 10603, 10605"))
        << run.All();
    EXPECT_TRUE(run.Has("  warning: lang\\0409.xml: ids that no lookup can find (leading zeros, blanks or signs): "
                        "\"010602\", \" 10603\""))
        << run.All();
    EXPECT_TRUE(run.Has("  warning: lang\\0409.xml: ids written more than once, the first text is used: 10601"))
        << run.All();
    EXPECT_TRUE(run.HasStarting("  error: skin\\system\\all_select.bmp: found, 1590 bytes, loaded, 32 x 16, cut into "
                                "4 pictures of 16 x 16: smaller than the 64 x 16 strip"))
        << run.All();
    EXPECT_TRUE(run.HasStarting("  error: skin\\system\\bitmap_select.bmp: found, 14 bytes, not loaded")) << run.All();
    EXPECT_TRUE(run.HasStarting("  error: skin\\system\\bitmap_unselect.bmp: not found")) << run.All();
    EXPECT_TRUE(run.Has("  error: Quorvel.dll: not found beside the host's executable: the host cannot load the "
                        "library"))
        << run.All();
    EXPECT_TRUE(run.HasStarting("  error: SkinMM.dll: not found beside the host's executable")) << run.All();
    EXPECT_TRUE(run.Has("  warning: skin\\system\\selectcontact_head.bmp: the mask colour RGB(255, 255, 255) does "
                        "not occur, so no part of these pictures is transparent"))
        << run.All();
}

TEST(CheckProgram, RefusedFilesSayWhy) {
    const CheckerRun run = RunChecker("--language 0409 \"" + kHosts + "refused\"");
    EXPECT_EQ(run.exitCode, 1u) << run.All();
    EXPECT_TRUE(run.HasStarting("  error: dconf\\DepartmentInfo.xml: found, ")) << run.All();
    EXPECT_TRUE(run.HasStarting("  machines of language 0409: the library reads lang\\0409.xml")) << run.All();
    const std::string all = run.All();
    EXPECT_NE(all.find("DepartmentInfo.xml: found, 150 bytes, not loaded: refused: its DOCTYPE declares entities"),
              std::string::npos)
        << all;
    EXPECT_NE(all.find("FriendsInfo.xml: found, 3940 bytes, not loaded: too deep: elements nested more than 257 levels"),
              std::string::npos)
        << all;
    EXPECT_NE(all.find("lang\\0409.xml: found, 90 bytes, not loaded: encoding: bytes that are not valid in code "
                       "page 936, which the declared \"gb2312\" stands for"),
              std::string::npos)
        << all;
    EXPECT_NE(all.find("lang\\0409.xml: machines of this language and those without a file of their own get "
                       "\"Msg not init\" for every text"),
              std::string::npos)
        << all;
}

TEST(CheckProgram, DirectoryFindings) {
    const CheckerRun run = RunChecker("--language 0409 \"" + kHosts + "findings\"");
    EXPECT_EQ(run.exitCode, 1u) << run.All();
    EXPECT_TRUE(run.Has("  company directory: 1 companies, 3 departments, 11 people, deepest nesting 2")) << run.All();
    EXPECT_TRUE(run.Has("  warning: DepartmentInfo.xml: identifier \"1002\" is listed 2 times: 李明 in 总经办, 李敏 "
                        "in 秘书处"))
        << run.All();
    EXPECT_TRUE(run.Has("  warning: DepartmentInfo.xml: 1 people without a mobile or PHS number (an SMS notice "
                        "cannot reach them): 无电话 (1008)"))
        << run.All();
    EXPECT_TRUE(run.Has("  warning: DepartmentInfo.xml: 1 people without a display name (the picker shows an empty "
                        "name): 1009"))
        << run.All();
    // 陈芳 sits in a sub-department and 李娜's URI is not her identifier: a reopened conference finds both.
    EXPECT_EQ(run.All().find("reopened conference"), std::string::npos) << run.All();
    EXPECT_TRUE(run.Has("  friends list: 64 groups, 0 people, deepest nesting 70")) << run.All();
    EXPECT_TRUE(run.Has("  error: FriendsInfo.xml: groups nested 70 deep; those below level 64 are not read, nor the "
                        "people in them"))
        << run.All();
    EXPECT_TRUE(run.Has("  warning: identifiers \"12\", \"0012\" read as the same number: the picker counts them as "
                        "one person"))
        << run.All();
    EXPECT_TRUE(run.Has("  warning: identifiers that read as no number (0): \"ops01\", \"OPS01\": the picker counts "
                        "them all as one person"))
        << run.All();
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
