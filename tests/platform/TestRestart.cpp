// Replacements left for the next start: MoveFileEx with
// MOVEFILE_DELAY_UNTIL_REBOOT, WININIT.INI, and the restart that carries them
// out.
#include "TestMachine.h"
#include "platform/MachineRestart.h"
#include "platform/PendingRenames.h"
#include "platform/Windows.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char kPending[] = "PendingFileRenameOperations";

std::string Slurp(const std::string& host) {
    std::ifstream in(host, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The value's type and data; type 0 when it is missing.
std::pair<DWORD, std::string> PendingValue() {
    HKEY key = nullptr;
    std::pair<DWORD, std::string> value{0, ""};
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(key, kPending, nullptr, &value.first, nullptr, &size) == ERROR_SUCCESS) {
        value.second.resize(size);
        RegQueryValueExA(key, kPending, nullptr, nullptr,
                         reinterpret_cast<LPBYTE>(value.second.data()), &size);
    }
    RegCloseKey(key);
    return value;
}

void SetPendingValue(const std::string& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, kSessionManager, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, kPending, 0, REG_MULTI_SZ,
                             reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void Write(const TestMachine& machine, const std::string& relative, const std::string& text) {
    fs::create_directories(fs::path(machine.DriveC(relative)).parent_path());
    std::ofstream(machine.DriveC(relative), std::ios::binary) << text;
}

std::string Describe(const RestartStep& step) {
    std::string origin = step.origin == RestartStep::Origin::WininitIni ? "ini" : "pending";
    return origin + " " + step.source + " > " + step.target + " " + std::to_string(step.error);
}

// The steps carried out, then those skipped as "skipped ...".
std::vector<std::string> Restart(DWORD* result = nullptr) {
    std::vector<RestartStep> steps, skipped;
    DWORD error = MachineRestart(&steps, &skipped);
    if (result)
        *result = error;
    std::vector<std::string> lines;
    for (const RestartStep& step : steps)
        lines.push_back(Describe(step));
    for (const RestartStep& step : skipped)
        lines.push_back("skipped " + Describe(step));
    return lines;
}

using Lines = std::vector<std::string>;

} // namespace

// [SECTION] Scheduling

TEST_F(MachineTest, DelayedMovesAreAppendedAsWindowsKeepsThem) {
    Write(machine, "Windows/Temp/A.TMP", "new");
    ASSERT_TRUE(MoveFileExA("c:\\windows\\temp\\a.tmp", "C:/Windows/System32/a.dll",
                            MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING));
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\Windows"));
    ASSERT_TRUE(MoveFileExW(u"old.log", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    ASSERT_TRUE(MoveFileExA("C:\\x", "C:\\y", MOVEFILE_DELAY_UNTIL_REBOOT));
    EXPECT_TRUE(fs::exists(machine.DriveC("Windows/Temp/A.TMP"))); // nothing moved yet
    std::pair<DWORD, std::string> value = PendingValue();
    EXPECT_EQ(value.first, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(value.second, ("\\??\\C:\\Windows\\Temp\\A.TMP\0"
                             "!\\??\\C:\\Windows\\System32\\a.dll\0"
                             "\\??\\C:\\Windows\\old.log\0\0"
                             "\\??\\C:\\x\0\\??\\C:\\y\0\0"s));
}

TEST(RestartSchedule, OnlyAnAdministratorMaySchedule) {
    MachineSettings settings;
    settings.administrator = false;
    TestMachine machine(settings);
    EXPECT_FALSE(MoveFileExA("C:\\a", "C:\\b", MOVEFILE_DELAY_UNTIL_REBOOT));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(PendingValue().first, 0u);
}

TEST_F(MachineTest, DelayedMovesRefuseWhatWindowsRefuses) {
    EXPECT_FALSE(
        MoveFileExA("C:\\a", "C:\\b", MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_COPY_ALLOWED));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(MoveFileExW(u"C:\\\u0416.dll", u"C:\\b", MOVEFILE_DELAY_UNTIL_REBOOT));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    EXPECT_EQ(PendingValue().first, 0u);
}

TEST(PendingRenames, SplitKeepsDeletionsAndDropsWhatIsCutShort) {
    using Pairs = std::vector<PendingRenames::Texts>;
    EXPECT_EQ(PendingRenames::Split("a\0b\0c\0\0\0"s), (Pairs{{"a", "b"}, {"c", ""}}));
    EXPECT_EQ(PendingRenames::Split("a\0b\0c"s), (Pairs{{"a", "b"}}));
    EXPECT_EQ(PendingRenames::Split("a\0b\0\0\0\0\0"s), (Pairs{{"a", "b"}}));
    EXPECT_TRUE(PendingRenames::Split("").empty());
    Pairs pairs{{"\\??\\C:\\a", "!\\??\\C:\\b"}, {"\\??\\C:\\c", ""}};
    EXPECT_EQ(PendingRenames::Split(PendingRenames::Join(pairs)), pairs);
    PendingRename rename = PendingRenames::Interpret(pairs[0]);
    EXPECT_EQ(rename.source, "C:\\a");
    EXPECT_EQ(rename.target, "C:\\b");
    EXPECT_TRUE(rename.replace);
    EXPECT_TRUE(rename.valid);
    EXPECT_FALSE(PendingRenames::Interpret({"C:\\a", "\\??\\C:\\b"}).valid);
}

// A damaged target is never read as a deletion of the source, and a prefix
// without a path names nothing.
TEST(PendingRenames, APrefixOrMarkWithoutAPathIsNotValid) {
    for (const char* target : {"!", "\\??\\", "!\\??\\"})
        EXPECT_FALSE(PendingRenames::Interpret({"\\??\\C:\\a", target}).valid) << target;
    EXPECT_FALSE(PendingRenames::Interpret({"\\??\\", ""}).valid);
    EXPECT_TRUE(PendingRenames::Interpret({"\\??\\C:\\a", ""}).valid);
}

// [SECTION] Restart

TEST_F(MachineTest, RestartRunsWininitThenThePendingPairsInOrder) {
    Write(machine, "Windows/System/a.dll", "old a");
    Write(machine, "Windows/System/a.tmp", "new a");
    Write(machine, "Windows/gone.txt", "x");
    Write(machine, "Windows/other.txt", "other");
    Write(machine, "Windows/WININIT.BAK", "older");
    Write(machine, "Windows/WININIT.INI",
          "[Boot]\r\nC:\\Windows\\other.txt=C:\\Windows\\gone.txt\r\n"
          "[rename]\r\n; comment\r\nC:\\Windows\\System\\a.dll = C:\\Windows\\System\\a.tmp\r\n"
          "no equals sign\r\nNUL=C:\\Windows\\gone.txt\r\n"
          "C:\\Windows\\System\\b.dll=C:\\Windows\\System\\missing.tmp\r\n");
    Write(machine, "Temp/p.tmp", "pending a");
    Write(machine, "Temp/keep.tmp", "keep");
    Write(machine, "Windows/exists.txt", "exists");
    Write(machine, "Temp/del.txt", "d");
    fs::create_directories(machine.DriveC("Temp/empty"));
    SetPendingValue(("\\??\\C:\\Temp\\p.tmp\0!\\??\\C:\\Windows\\System\\a.dll\0"
                     "\\??\\C:\\Temp\\keep.tmp\0\\??\\C:\\Windows\\exists.txt\0"
                     "C:\\Temp\\bare\0\0"
                     "\\??\\C:\\Temp\\del.txt\0\0"
                     "\\??\\C:\\Temp\\empty\0\0\0"s));
    DWORD result = 1;
    EXPECT_EQ(Restart(&result),
              (Lines{"ini C:\\Windows\\System\\a.tmp > C:\\Windows\\System\\a.dll 0",
                     "ini C:\\Windows\\gone.txt >  0",
                     "ini C:\\Windows\\System\\missing.tmp > C:\\Windows\\System\\b.dll 2",
                     "ini C:\\Windows\\WININIT.INI > C:\\Windows\\WININIT.BAK 0",
                     "pending C:\\Temp\\p.tmp > C:\\Windows\\System\\a.dll 0",
                     "pending C:\\Temp\\keep.tmp > C:\\Windows\\exists.txt 183",
                     "pending C:\\Temp\\bare >  123", "pending C:\\Temp\\del.txt >  0",
                     "pending C:\\Temp\\empty >  0"}));
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(Slurp(machine.DriveC("Windows/System/a.dll")), "pending a");
    EXPECT_EQ(Slurp(machine.DriveC("Windows/other.txt")), "other");   // not in [rename]
    EXPECT_EQ(Slurp(machine.DriveC("Windows/exists.txt")), "exists"); // no "!": kept
    EXPECT_TRUE(fs::exists(machine.DriveC("Temp/keep.tmp")));
    EXPECT_FALSE(fs::exists(machine.DriveC("Windows/gone.txt")));
    EXPECT_FALSE(fs::exists(machine.DriveC("Temp/del.txt")));
    EXPECT_FALSE(fs::exists(machine.DriveC("Temp/empty")));
    EXPECT_FALSE(fs::exists(machine.DriveC("Windows/WININIT.INI")));
    EXPECT_NE(Slurp(machine.DriveC("Windows/WININIT.BAK")).find("[rename]"), std::string::npos);
    EXPECT_EQ(PendingValue().first, 0u);
    EXPECT_TRUE(Restart().empty()); // done once only
}

TEST_F(MachineTest, ScheduledReplacementsHappenAtTheRestart) {
    Write(machine, "Windows/System32/lib.dll", "v1");
    Write(machine, "Temp/lib.new", "v2");
    HANDLE held = CreateFileA("C:\\Windows\\System32\\lib.dll", GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(MoveFileExA("C:\\Temp\\lib.new", "C:\\Windows\\System32\\lib.dll",
                             MOVEFILE_REPLACE_EXISTING));
    EXPECT_TRUE(MoveFileExA("C:\\Temp\\lib.new", "C:\\Windows\\System32\\lib.dll",
                            MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING));
    CloseHandle(held);
    EXPECT_EQ(Restart(), (Lines{"pending C:\\Temp\\lib.new > C:\\Windows\\System32\\lib.dll 0"}));
    EXPECT_EQ(Slurp(machine.DriveC("Windows/System32/lib.dll")), "v2");
}

TEST_F(MachineTest, RestartKeepsToTheMachine) {
    std::string outside = machine.Root() + "/outside";
    fs::create_directories(outside);
    std::ofstream(outside + "/victim.txt") << "mine";
    Write(machine, "Temp/a.txt", "a");
    fs::create_symlink(outside, machine.DriveC("Temp/link"));
    SetPendingValue(("\\??\\C:\\Temp\\a.txt\0!\\??\\C:\\Temp\\link\\victim.txt\0"
                     "\\??\\C:\\Temp\\link\\victim.txt\0\0\0"s));
    EXPECT_EQ(Restart(), (Lines{"skipped pending C:\\Temp\\a.txt > C:\\Temp\\link\\victim.txt 5",
                                "skipped pending C:\\Temp\\link\\victim.txt >  5"}));
    EXPECT_EQ(Slurp(outside + "/victim.txt"), "mine");
    EXPECT_EQ(Slurp(machine.DriveC("Temp/a.txt")), "a");
}

// Z: is the host: a [rename] line or a pending pair that names it, whether
// put there by a medium or by a plain registry import, is skipped whole,
// and the host's files stay as they were.
TEST_F(MachineTest, RestartLeavesTheHostAlone) {
    const fs::path host = fs::path(machine.Root()) / "host";
    fs::create_directories(host);
    std::ofstream(host / "victim.txt") << "mine";
    std::ofstream(host / "other.txt") << "other";
    const std::string victim = "Z:" + (host / "victim.txt").string();
    const std::string other = "Z:" + (host / "other.txt").string();
    Write(machine, "Temp/a.txt", "a");
    Write(machine, "Windows/WININIT.INI",
          "[rename]\r\nNUL=" + victim + "\r\n" + other + "=C:\\Temp\\a.txt\r\n");
    const std::string nul(1, '\0');
    SetPendingValue("\\??\\" + victim + nul + nul + "\\??\\C:\\Temp\\a.txt" + nul + "!\\??\\" +
                    other + nul + nul);
    const Lines lines = Restart();
    std::string all;
    for (const std::string& line : lines)
        all += line + "\n";
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.rfind("skipped", 0) == 0; }),
              4)
        << all;
    EXPECT_EQ(Slurp((host / "victim.txt").string()), "mine");
    EXPECT_EQ(Slurp((host / "other.txt").string()), "other");
    EXPECT_EQ(Slurp(machine.DriveC("Temp/a.txt")), "a");
}

TEST(Restart, AUserWhoIsNotAnAdministratorLeavesThePairs) {
    TestMachine machine;
    Write(machine, "a.txt", "a");
    ASSERT_TRUE(MoveFileExA("C:\\a.txt", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    MachineSettings settings = Machine::Current().Settings();
    settings.administrator = false;
    ASSERT_TRUE(Machine::SaveSettings(machine.Root(), settings));
    ASSERT_TRUE(Machine::Use(machine.Root()));
    DWORD result = 0;
    EXPECT_TRUE(Restart(&result).empty());
    EXPECT_EQ(result, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(fs::exists(machine.DriveC("a.txt")));
    EXPECT_EQ(PendingValue().first, static_cast<DWORD>(REG_MULTI_SZ));
}

// [SECTION] ExitWindowsEx and the process token

namespace {

BOOL SetShutdownPrivilege(DWORD attributes, TOKEN_PRIVILEGES* previous = nullptr) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return FALSE;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = attributes;
    DWORD size = 0;
    BOOL done = LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) &&
                AdjustTokenPrivileges(token, FALSE, &privileges, sizeof(TOKEN_PRIVILEGES), previous,
                                      previous ? &size : nullptr);
    CloseHandle(token);
    return done;
}

} // namespace

TEST_F(MachineTest, ExitWindowsExRestartsOnlyWithTheShutdownPrivilege) {
    Write(machine, "a.txt", "a");
    ASSERT_TRUE(MoveFileExA("C:\\a.txt", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    EXPECT_FALSE(ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PRIVILEGE_NOT_HELD));
    EXPECT_TRUE(ExitWindowsEx(EWX_LOGOFF, 0));
    EXPECT_TRUE(fs::exists(machine.DriveC("a.txt")));

    TOKEN_PRIVILEGES previous = {};
    ASSERT_TRUE(SetShutdownPrivilege(SE_PRIVILEGE_ENABLED, &previous));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(previous.PrivilegeCount, 1u);
    EXPECT_EQ(previous.Privileges[0].Luid.LowPart, 19u);
    EXPECT_EQ(previous.Privileges[0].Attributes, 0u); // it was disabled
    EXPECT_TRUE(ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0));
    EXPECT_FALSE(fs::exists(machine.DriveC("a.txt")));
    EXPECT_EQ(PendingValue().first, 0u);
    ASSERT_TRUE(SetShutdownPrivilege(0));
    EXPECT_FALSE(ExitWindowsEx(EWX_REBOOT, 0));
}

TEST(ProcessToken, RefusesWhatWindowsRefuses) {
    LUID luid;
    EXPECT_FALSE(LookupPrivilegeValueA(nullptr, "SeNoSuchPrivilege", &luid));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_SUCH_PRIVILEGE));
    EXPECT_TRUE(LookupPrivilegeValueA("", "seshutdownprivilege", &luid));

    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    TOKEN_PRIVILEGES privileges = {1, {{luid, SE_PRIVILEGE_ENABLED}}};
    EXPECT_FALSE(AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    CloseHandle(token);

    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token));
    TOKEN_PRIVILEGES unknown = {1, {{{7777, 0}, SE_PRIVILEGE_ENABLED}}};
    EXPECT_TRUE(AdjustTokenPrivileges(token, FALSE, &unknown, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ALL_ASSIGNED));
    TOKEN_PRIVILEGES previous = {};
    DWORD size = 0;
    EXPECT_FALSE(AdjustTokenPrivileges(token, FALSE, &privileges, 4, &previous, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(size, sizeof(TOKEN_PRIVILEGES));
    EXPECT_FALSE(ExitWindowsEx(EWX_SHUTDOWN, 0)); // the failed call changed nothing
    CloseHandle(token);
    EXPECT_FALSE(AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}
