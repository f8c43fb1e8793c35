#include "TestMachine.h"
#include "platform/CommandLine.h"
#include "platform/PlatformStdio.h"
#include "platform/WinBase.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Puts an executable shell script on the machine at C:\<relative>.
void Script(const TestMachine& machine, const std::string& relative, const std::string& body) {
    std::string host = machine.DriveC(relative);
    fs::create_directories(fs::path(host).parent_path());
    std::ofstream(host) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(host, fs::perms::owner_all);
}

std::string Slurp(const std::string& host) {
    std::ifstream in(host);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Start(std::string commandLine, PROCESS_INFORMATION* info, const char* folder = nullptr) {
    STARTUPINFOA startup = {};
    startup.cb = 68;
    return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                          &startup, info);
}

DWORD RunToEnd(const std::string& commandLine, const char* folder = nullptr) {
    PROCESS_INFORMATION info;
    if (!Start(commandLine, &info, folder))
        return 0xDEAD;
    EXPECT_EQ(WaitForSingleObject(info.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return code;
}

} // namespace

TEST(CommandLine, SplitsAsTheWindowsRuntime) {
    using V = std::vector<std::string>;
    EXPECT_EQ(CommandLine::Split("prog a  b\tc"), (V{"prog", "a", "b", "c"}));
    EXPECT_EQ(CommandLine::Split("\"C:\\My App\\p.exe\" \"x y\" z"),
              (V{"C:\\My App\\p.exe", "x y", "z"}));
    EXPECT_EQ(CommandLine::Split("p a\\\\\\\"b c\\\\\"d e\" f"), (V{"p", "a\\\"b", "c\\d e", "f"}));
    EXPECT_EQ(CommandLine::Split("p C:\\dir\\ \"q\"\"uote\""), (V{"p", "C:\\dir\\", "q\"uote"}));
    EXPECT_EQ(CommandLine::Split("p \"\""), (V{"p", ""}));
    EXPECT_TRUE(CommandLine::Split("   ").empty());
}

TEST_F(MachineTest, ExitCodesAndStillActive) {
    Script(machine, "Program Files/My App/tool.exe", "sleep 0.3\nexit 3");
    PROCESS_INFORMATION info;
    ASSERT_TRUE(Start("C:\\Program Files\\My App\\tool.exe", &info)); // unquoted, with blanks
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(info.hThread, 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
    EXPECT_EQ(code, 3u);
    EXPECT_TRUE(CloseHandle(info.hThread));
    EXPECT_TRUE(CloseHandle(info.hProcess));
    EXPECT_FALSE(GetExitCodeProcess(info.hProcess, &code));
}

TEST_F(MachineTest, ArgumentsFolderAndMachineReachTheChild) {
    Script(machine, "bin/args.exe",
           "for a in \"$@\"; do echo \"[$a]\"; done > out.txt; pwd >> out.txt; "
           "echo \"$KIV_MACHINE\" >> out.txt");
    EXPECT_EQ(RunToEnd("\"C:\\BIN\\args.exe\" one \"two words\" C:\\x\\", "C:\\Windows"), 0u);
    EXPECT_EQ(Slurp(machine.DriveC("Windows/out.txt")), "[one]\n[two words]\n[C:\\x\\]\n" +
                                                            machine.DriveC("Windows") + "\n" +
                                                            machine.Root() + "\n");
    EXPECT_EQ(RunToEnd("C:\\bin\\args", "C:\\"), 0u); // ".exe" is implied
}

TEST_F(MachineTest, ProgramsThatCannotStart) {
    PROCESS_INFORMATION info;
    EXPECT_FALSE(Start("C:\\none.exe", &info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    std::ofstream(machine.DriveC("plain.exe")) << "MZ";
    EXPECT_FALSE(Start("C:\\plain.exe", &info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
    Script(machine, "ok.exe", "exit 0");
    EXPECT_FALSE(Start("C:\\ok.exe", &info, "C:\\no such folder"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
}

// A program that a setup writes onto the machine (unpacked through
// CreateFile, or copied through fopen) can be started, as on Windows; other
// files do not become runnable on the host.
TEST_F(MachineTest, ProgramsWrittenOnTheMachineCanBeStarted) {
    CreateDirectoryA("C:\\Tools", nullptr);
    HANDLE file = CreateFileA("C:\\Tools\\Unpacked.EXE", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const char script[] = "#!/bin/sh\nexit 7\n";
    DWORD written = 0;
    WriteFile(file, script, sizeof script - 1, &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(RunToEnd("C:\\Tools\\Unpacked.EXE"), 7u);

    FILE* copied = PlatformFopen("C:\\Tools\\copied.exe", "w");
    ASSERT_NE(copied, nullptr);
    std::fputs("#!/bin/sh\nexit 8\n", copied);
    std::fclose(copied);
    EXPECT_EQ(RunToEnd("C:\\Tools\\copied.exe"), 8u);

    FILE* data = PlatformFopen("C:\\Tools\\notes.txt", "w");
    ASSERT_NE(data, nullptr);
    std::fclose(data);
    EXPECT_EQ(fs::status(machine.DriveC("Tools/notes.txt")).permissions() & fs::perms::owner_exec,
              fs::perms::none);
}
