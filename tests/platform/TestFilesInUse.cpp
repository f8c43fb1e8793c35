// Files in use across the processes of one machine: another process's open
// with its share mode, and a running program's file.
#include "HostFiles.h"
#include "TestMachine.h"
#include "platform/WinBase.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

HANDLE Open(const char* path, DWORD access, DWORD share, DWORD disposition = OPEN_EXISTING) {
    return CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Another process of the machine (a fork) that opens a file with CreateFile
// and holds it until this object goes.
class OtherProcess {
public:
    OtherProcess(const char* path, DWORD access, DWORD share) {
        int ready[2], release[2];
        if (pipe(ready) != 0 || pipe(release) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            close(ready[0]);
            close(release[1]);
            char answer = Open(path, access, share) != INVALID_HANDLE_VALUE ? 'y' : 'n';
            char ignored;
            if (write(ready[1], &answer, 1) == 1)
                while (read(release[0], &ignored, 1) > 0) {
                }
            _exit(0);
        }
        close(ready[1]);
        close(release[0]);
        release_ = release[1];
        if (read(ready[0], &answer_, 1) != 1)
            answer_ = '?';
        close(ready[0]);
    }
    ~OtherProcess() {
        close(release_);
        if (pid_ > 0)
            waitpid(pid_, nullptr, 0);
    }
    bool Holds() const { return answer_ == 'y'; }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    char answer_ = '?';
};

void ExpectRefused(BOOL result, DWORD error) {
    EXPECT_FALSE(result);
    EXPECT_EQ(GetLastError(), error);
}

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

} // namespace

TEST_F(MachineTest, AnOpenInAnotherProcessHoldsTheFile) {
    std::ofstream(machine.DriveC("Windows/System32/lib.dll")) << "v1";
    std::ofstream(machine.DriveC("new.dll")) << "v2";
    const char* lib = "C:\\Windows\\System32\\lib.dll";
    {
        OtherProcess other(lib, GENERIC_READ, FILE_SHARE_READ);
        ASSERT_TRUE(other.Holds());
        HANDLE reader = Open(lib, GENERIC_READ, FILE_SHARE_READ);
        EXPECT_NE(reader, INVALID_HANDLE_VALUE);
        CloseHandle(reader);
        EXPECT_EQ(Open(lib, GENERIC_WRITE, kShareAll), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        EXPECT_EQ(Open(lib, GENERIC_READ, 0), INVALID_HANDLE_VALUE); // would deny its reading
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        ExpectRefused(CopyFileA("C:\\new.dll", lib, FALSE), ERROR_SHARING_VIOLATION);
        ExpectRefused(MoveFileExA("C:\\new.dll", lib, MOVEFILE_REPLACE_EXISTING),
                      ERROR_SHARING_VIOLATION);
        ExpectRefused(MoveFileExA(lib, "C:\\moved.dll", 0), ERROR_SHARING_VIOLATION);
        ExpectRefused(DeleteFileA(lib), ERROR_SHARING_VIOLATION);
        EXPECT_EQ(ReadHostFile(machine.DriveC("Windows/System32/lib.dll")), "v1");
    }
    EXPECT_TRUE(MoveFileExA("C:\\new.dll", lib, MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadHostFile(machine.DriveC("Windows/System32/lib.dll")), "v2");
}

TEST_F(MachineTest, AnotherProcessSharingEverythingHoldsNothing) {
    std::ofstream(machine.DriveC("a.txt")) << "a";
    OtherProcess other("C:\\a.txt", GENERIC_READ | GENERIC_WRITE, kShareAll);
    ASSERT_TRUE(other.Holds());
    HANDLE writer = Open("C:\\a.txt", GENERIC_WRITE, kShareAll);
    EXPECT_NE(writer, INVALID_HANDLE_VALUE);
    CloseHandle(writer);
    EXPECT_EQ(Open("C:\\a.txt", GENERIC_READ, FILE_SHARE_READ), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION)); // it writes
    EXPECT_TRUE(DeleteFileA("C:\\a.txt"));
}

// An open that would empty a file held elsewhere must be refused before the
// content goes, and an open refused here must not deny the other process.
TEST_F(MachineTest, AnEmptyingOpenChecksSharingBeforeEmptying) {
    std::ofstream(machine.DriveC("keep.txt")) << "kept";
    {
        OtherProcess other("C:\\keep.txt", GENERIC_READ, FILE_SHARE_READ);
        ASSERT_TRUE(other.Holds());
        EXPECT_EQ(Open("C:\\keep.txt", GENERIC_WRITE, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        EXPECT_EQ(Open("C:\\keep.txt", GENERIC_WRITE, 0, TRUNCATE_EXISTING), INVALID_HANDLE_VALUE);
        EXPECT_EQ(ReadHostFile(machine.DriveC("keep.txt")), "kept");
    }
    HANDLE file = Open("C:\\keep.txt", GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    CloseHandle(file);
    EXPECT_EQ(ReadHostFile(machine.DriveC("keep.txt")), "");
}

TEST_F(MachineTest, AWriteOnlyOpenStillHoldsTheFile) {
    HANDLE writer = Open("C:\\w.txt", GENERIC_WRITE, 0, CREATE_NEW);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    DWORD got = 0;
    char byte;
    EXPECT_FALSE(ReadFile(writer, &byte, 1, &got, nullptr)); // no read access granted
    OtherProcess other("C:\\w.txt", GENERIC_READ, kShareAll);
    EXPECT_FALSE(other.Holds());
    CloseHandle(writer);
}

// Opens that exclude each other, made at once by several threads (each with
// its own file description, as separate processes would have): at most one
// holds the file at any time.
TEST_F(MachineTest, RacingExclusiveOpensNeverBothSucceed) {
    std::ofstream(machine.DriveC("race.txt")) << "r";
    std::atomic<int> holders{0}, overlaps{0}, granted{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 300; ++i) {
                HANDLE file = Open("C:\\race.txt", GENERIC_READ | GENERIC_WRITE, 0);
                if (file == INVALID_HANDLE_VALUE)
                    continue;
                granted++;
                if (holders.fetch_add(1) != 0)
                    overlaps++;
                holders.fetch_sub(1);
                CloseHandle(file);
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(overlaps.load(), 0);
    EXPECT_GT(granted.load(), 0);
}

// [SECTION] A running program's file

namespace {

// C:\App\prog.exe, a script that says it runs (C:\App\running) and runs
// until C:\App\stop exists.
void WriteProgram(const TestMachine& machine) {
    std::string host = machine.DriveC("App/prog.exe");
    fs::create_directories(fs::path(host).parent_path());
    std::ofstream(host) << "#!/bin/sh\n: > running\nwhile [ ! -e stop ]; do sleep 0.02; done\n";
    fs::permissions(host, fs::perms::owner_all);
}

// Waits until the script has been read by its shell: a test that renames or
// replaces the file before that would take it from under the starting shell.
void WaitUntilRunning(const TestMachine& machine) {
    for (int i = 0; i < 1000 && !fs::exists(machine.DriveC("App/running")); ++i)
        Sleep(10);
}

BOOL StartProgram(PROCESS_INFORMATION* info) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    char command[] = "C:\\App\\prog.exe";
    return CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, "C:\\App",
                          &startup, info);
}

void StopProgram(const TestMachine& machine, HANDLE process) {
    std::ofstream(machine.DriveC("App/stop")) << "";
    EXPECT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
    CloseHandle(process);
}

} // namespace

TEST_F(MachineTest, ARunningProgramsFileIsInUse) {
    std::ofstream(machine.DriveC("new.exe")) << "#!/bin/sh\n";
    WriteProgram(machine);
    PROCESS_INFORMATION info;
    ASSERT_TRUE(StartProgram(&info));
    CloseHandle(info.hThread); // the child itself holds its file, not these handles
    WaitUntilRunning(machine);
    const char* prog = "C:\\App\\prog.exe";
    EXPECT_EQ(Open(prog, GENERIC_WRITE, kShareAll), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    ExpectRefused(CopyFileA("C:\\new.exe", prog, FALSE), ERROR_SHARING_VIOLATION);
    ExpectRefused(MoveFileExA("C:\\new.exe", prog, MOVEFILE_REPLACE_EXISTING), ERROR_ACCESS_DENIED);
    ExpectRefused(DeleteFileA(prog), ERROR_ACCESS_DENIED);
    HANDLE reader = Open(prog, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);
    // Renaming it away is allowed, as on Windows; it stays in use.
    ASSERT_TRUE(MoveFileExA(prog, "C:\\App\\prog.old", 0));
    ExpectRefused(DeleteFileA("C:\\App\\prog.old"), ERROR_ACCESS_DENIED);
    StopProgram(machine, info.hProcess);
    EXPECT_TRUE(DeleteFileA("C:\\App\\prog.old"));
}

TEST_F(MachineTest, AProgramOpenForWritingDoesNotStart) {
    WriteProgram(machine);
    HANDLE writer = Open("C:\\App\\prog.exe", GENERIC_WRITE, FILE_SHARE_READ);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    PROCESS_INFORMATION info;
    ExpectRefused(StartProgram(&info), ERROR_SHARING_VIOLATION);
    CloseHandle(writer);
    ASSERT_TRUE(StartProgram(&info));
    CloseHandle(info.hThread);
    StopProgram(machine, info.hProcess);
}
