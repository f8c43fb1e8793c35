// The system registry under killed and concurrent writers.
#include "TestMachine.h"
#include "platform/Windows.h"

#include <random>
#include <set>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

LONG SetNumber(const char* path, const std::string& name, DWORD number) {
    HKEY key = nullptr;
    LONG result = RegCreateKeyA(HKEY_CURRENT_USER, path, &key);
    if (result == ERROR_SUCCESS)
        result = RegSetValueExA(key, name.c_str(), 0, REG_DWORD,
                                reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
    return result;
}

bool HasNumber(const char* path, const std::string& name, DWORD number) {
    HKEY key = nullptr;
    DWORD read = 0, size = sizeof read;
    LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key);
    if (result == ERROR_SUCCESS)
        result = RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(&read), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && read == number;
}

std::string IntegrityCheck(const std::string& path) {
    sqlite3* db = nullptr;
    std::string answer = "cannot open";
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* check = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr) == SQLITE_OK &&
            sqlite3_step(check) == SQLITE_ROW)
            answer = reinterpret_cast<const char*>(sqlite3_column_text(check, 0));
        sqlite3_finalize(check);
    }
    sqlite3_close(db);
    return answer;
}

// Writes numbered values until killed, reporting each call that returned
// success through the pipe.
[[noreturn]] void WriteUntilKilled(int report, DWORD first) {
    for (DWORD number = first;; ++number)
        if (SetNumber("Crash", "v" + std::to_string(number), number) == ERROR_SUCCESS &&
            write(report, &number, sizeof number) != sizeof number)
            _exit(1);
}

} // namespace

TEST(RegistryCrash, KilledWriterLosesNoReturnedCall) {
    TestMachine machine;
    ASSERT_EQ(SetNumber("Crash", "start", 1), ERROR_SUCCESS);
    std::mt19937 random(12345);
    std::set<DWORD> confirmed;
    for (DWORD round = 0; round < 20; ++round) {
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeEnds[0]);
            WriteUntilKilled(pipeEnds[1], round * 1000000);
        }
        close(pipeEnds[1]);
        usleep(5000 + random() % 60000);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        DWORD number;
        while (read(pipeEnds[0], &number, sizeof number) == sizeof number)
            confirmed.insert(number);
        close(pipeEnds[0]);
    }
    EXPECT_GT(confirmed.size(), 20u);
    EXPECT_EQ(IntegrityCheck(Machine::Current().RegistryPath()), "ok");
    std::size_t missing = 0;
    for (DWORD number : confirmed)
        missing += !HasNumber("Crash", "v" + std::to_string(number), number);
    EXPECT_EQ(missing, 0u);
}

// The writers start on a machine whose registry does not exist yet, so they
// also race to create and seed it.
TEST(RegistryCrash, ConcurrentWritersBothSucceed) {
    TestMachine machine;
    constexpr DWORD kCalls = 300;
    pid_t children[2];
    for (int i = 0; i < 2; ++i) {
        children[i] = fork();
        ASSERT_GE(children[i], 0);
        if (children[i] == 0) {
            int failures = 0;
            for (DWORD n = 0; n < kCalls; ++n)
                failures +=
                    SetNumber("Shared", "p" + std::to_string(i) + "_" + std::to_string(n), n) != 0;
            _exit(failures ? 1 : 0);
        }
    }
    // The parent writes from two threads meanwhile.
    auto writeFromThread = [](int thread) {
        for (DWORD n = 0; n < kCalls; ++n)
            SetNumber("Shared", "t" + std::to_string(thread) + "_" + std::to_string(n), n);
    };
    std::thread first(writeFromThread, 0), second(writeFromThread, 1);
    first.join();
    second.join();
    for (pid_t child : children) {
        int status = -1;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (const char* prefix : {"p0_", "p1_", "t0_", "t1_"})
        for (DWORD n = 0; n < kCalls; n += 37)
            EXPECT_TRUE(HasNumber("Shared", prefix + std::to_string(n), n)) << prefix << n;
    HKEY version = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                            KEY_READ, &version),
              ERROR_SUCCESS);
    char name[64];
    DWORD size = sizeof name, values = 0;
    while (RegEnumValueA(version, values, name, &size, nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS)
        size = sizeof name, ++values;
    EXPECT_EQ(values, 1u); // seeded once: ProgramFilesDir
    RegCloseKey(version);
}
