// kivtool reg, run as a program against test machines.
#include "TestMachine.h"
#include "platform/Windows.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

struct RegRun {
    int status = -1;
    std::string out, err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

RegRun Reg(const TestMachine& machine, const std::string& arguments) {
    RegRun run;
    std::string err = machine.Root() + "/stderr";
    std::string command = "KIV_MACHINE='" + machine.Root() + "' " KIVTOOL_PATH " reg " + arguments +
                          " 2>'" + err + "'";
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t got; pipe && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, got);
    int status = pipe ? pclose(pipe) : -1;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadFile(err);
    return run;
}

std::string WriteRegFile(const TestMachine& machine, const std::string& content) {
    std::string path = machine.Root() + "/input.reg";
    std::ofstream(path, std::ios::binary) << content;
    return "'" + path + "'";
}

void Set(HKEY key, const char* name, DWORD type, const std::string& data) {
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
}

// Values of every kind, as a setup and its product might leave them.
void FillRegistry() {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Talvic\\4.0", &key), ERROR_SUCCESS);
    Set(key, "Path", REG_SZ, std::string("C:\\Program Files\\Talvic \"4\" caf\xE9") + '\0');
    Set(key, nullptr, REG_SZ, std::string("default\0", 8));
    Set(key, "Unterminated", REG_SZ, "abc");
    Set(key, "Expand", REG_EXPAND_SZ, std::string("%WINDIR%\\x\0", 11));
    Set(key, "Multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9));
    Set(key, "Count", REG_DWORD, std::string("\x0a\0\0\0", 4));
    Set(key, "Short", REG_DWORD, std::string("\x01\x02", 2));
    Set(key, "Big", REG_QWORD, std::string("\1\2\3\4\5\6\7\x08", 8));
    Set(key, "Empty", REG_NONE, "");
    std::string binary;
    for (int i = 0; i < 100; ++i)
        binary.push_back(static_cast<char>(i * 37));
    Set(key, "Blob", REG_BINARY, binary);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Talvic\\Empty\\Deeper", &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    Set(HKEY_CURRENT_USER, "AtTheRoot", REG_SZ, std::string("r\0", 2));
}

} // namespace

TEST(RegCommand, ExportOfAFreshMachineShowsTheSeededKeys) {
    TestMachine machine;
    RegRun run = Reg(machine, "export");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Windows Registry Editor Version 5.00\n", 0), 0u);
    for (const char* line :
         {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\n"
          "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\n",
          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs]\n\n",
          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
          "\"RegisteredOwner\"=\"User\"\n",
          "\"Common Programs\"=", "\"Common Startup\"=", "\"Programs\"=", "\"Startup\"="})
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
}

TEST(RegCommand, ExportImportedIntoAnotherMachineExportsIdentically) {
    TestMachine first;
    FillRegistry();
    RegRun exported = Reg(first, "export");
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_NE(
        exported.out.find("\"Path\"=\"C:\\\\Program Files\\\\Talvic \\\"4\\\" caf\xC3\xA9\"\n"),
        std::string::npos);
    EXPECT_NE(exported.out.find("\"Count\"=dword:0000000a\n"), std::string::npos);
    EXPECT_NE(exported.out.find("\"Unterminated\"=hex(1):61,00,62,00,63,00\n"), std::string::npos);
    EXPECT_NE(exported.out.find("\"Blob\"=hex:00,25,4a,"), std::string::npos);
    EXPECT_NE(exported.out.find(",\\\n  "), std::string::npos); // long hex data is wrapped

    TestMachine second;
    ASSERT_EQ(Reg(second, "import " + WriteRegFile(second, exported.out)).status, 0);
    RegRun again = Reg(second, "export");
    EXPECT_EQ(again.out, exported.out);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Talvic\\4.0", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    BYTE data[16];
    DWORD size = sizeof data, type = 0;
    ASSERT_EQ(RegQueryValueExA(key, "Multi", nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_MULTI_SZ);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), std::string("one\0two\0\0", 9));
    RegCloseKey(key);
}

TEST(RegCommand, SyntaxErrorIsRefusedWithItsLineAndNothingImported) {
    TestMachine machine;
    std::string file = WriteRegFile(machine, "Windows Registry Editor Version 5.00\r\n"
                                             "\r\n"
                                             "[HKEY_CURRENT_USER\\Software\\Fine]\r\n"
                                             "\"a\"=\"1\"\r\n"
                                             "\"b\"=dword:xyz\r\n");
    RegRun run = Reg(machine, "import " + file);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("input.reg:5: "), std::string::npos) << run.err;
    EXPECT_EQ(Reg(machine, "query 'HKCU\\Software\\Fine'").status, 1);
}

TEST(RegCommand, DeletionsQueriesAndHelp) {
    TestMachine machine;
    std::string file = WriteRegFile(machine, "Windows Registry Editor Version 5.00\n"
                                             "[HKEY_CURRENT_USER\\Software\\A\\B]\n"
                                             "\"keep\"=\"k\"\n"
                                             "\"drop\"=\"d\"\n"
                                             "[HKEY_CURRENT_USER\\Software\\A\\B]\n"
                                             "\"drop\"=-\n"
                                             "[-HKEY_CURRENT_USER\\Software\\Microsoft]\n");
    ASSERT_EQ(Reg(machine, "import " + file).status, 0);
    RegRun query = Reg(machine, "query 'HKEY_CURRENT_USER\\software\\a\\b'");
    EXPECT_EQ(query.out, "HKEY_CURRENT_USER\\Software\\A\\B\n    keep    REG_SZ    k\n");
    EXPECT_EQ(Reg(machine, "query 'HKCU\\Software\\A\\B' drop").status, 1);
    EXPECT_EQ(Reg(machine, "query 'HKCU\\Software\\Microsoft'").status, 1);
    EXPECT_EQ(Reg(machine, "query 'HKCU\\Software\\A\\B' keep").out,
              "HKEY_CURRENT_USER\\Software\\A\\B\n    keep    REG_SZ    k\n");

    EXPECT_EQ(Reg(machine, "delete 'HKCU\\Software\\A'").status, 0);
    EXPECT_EQ(Reg(machine, "query 'HKCU\\Software\\A\\B'").status, 1);
    EXPECT_EQ(Reg(machine, "delete 'HKCU\\Software\\A'").status, 1);
    EXPECT_EQ(Reg(machine, "delete 'HKEY_CURRENT_USER'").status, 1);
    EXPECT_EQ(Reg(machine, "delete 'NOWHERE\\x'").status, 1);

    for (const char* command : {"query", "export", "import", "delete"}) {
        RegRun help = Reg(machine, std::string(command) + " --help");
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out.rfind(std::string("usage: kivtool reg ") + command, 0), 0u);
    }
}
