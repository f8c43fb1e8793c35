// kivtool reg, run as a program against test machines.
#include "Japanese932.h"
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
    RegRun run = Reg(machine, "export --utf8");
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
    RegRun exported = Reg(first, "export --utf8");
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
    RegRun again = Reg(second, "export --utf8");
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

TEST(RegCommand, UsageErrorsSayWhatWasWrongWithStatus2) {
    TestMachine machine;
    const struct {
        const char* arguments;
        const char* problem;
    } cases[] = {
        {"", "kivtool reg: no command given\n"},
        {"frobnicate", "kivtool reg: unknown command 'frobnicate'\n"},
        {"query", "kivtool reg: query: missing KEY\n"},
        {"query HKCU a b", "kivtool reg: query: unexpected argument 'b'\n"},
        {"export HKCU HKLM", "kivtool reg: export: unexpected argument 'HKLM'\n"},
        {"export --all", "kivtool reg: export: unknown option '--all'\n"},
        {"import", "kivtool reg: import: missing FILE\n"},
        {"delete -r HKCU", "kivtool reg: delete: unknown option '-r'\n"},
    };
    for (const auto& test : cases) {
        RegRun run = Reg(machine, test.arguments);
        EXPECT_EQ(run.status, 2) << test.arguments;
        EXPECT_EQ(run.err.rfind(test.problem, 0), 0u) << test.arguments << ": " << run.err;
        EXPECT_NE(run.err.find("usage: kivtool reg"), std::string::npos) << test.arguments;
    }
    // After "--" a value name may begin with "-".
    RegRun query = Reg(machine, "query HKCU -- -x");
    EXPECT_EQ(query.status, 1);
    EXPECT_EQ(query.err, "kivtool reg: no such value: -x\n");
}

TEST(RegCommand, UnreadableFilesAreReportedWithTheirReason) {
    TestMachine machine;
    RegRun missing = Reg(machine, "import '" + machine.Root() + "/none.reg'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "kivtool reg: cannot read " + machine.Root() +
                               "/none.reg: No such file or directory\n");
    RegRun folder = Reg(machine, "import '" + machine.Root() + "'");
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.err.find(": Is a directory"), std::string::npos) << folder.err;
}

TEST(RegCommand, ImportSaysWhatItImported) {
    TestMachine machine;
    std::string file = WriteRegFile(machine, "Windows Registry Editor Version 5.00\n"
                                             "[HKEY_CURRENT_USER\\Software\\A]\n"
                                             "\"one\"=\"1\"\n"
                                             "[HKEY_CURRENT_USER\\Software\\B]\n"
                                             "\"two\"=dword:2\n"
                                             "[HKEY_CURRENT_USER\\software\\a]\n"
                                             "\"three\"=\"3\"\n");
    RegRun run = Reg(machine, "import " + file);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "imported 2 keys and 3 values from " + machine.Root() + "/input.reg\n");
    file = WriteRegFile(machine, "Windows Registry Editor Version 5.00\n"
                                 "[HKEY_CURRENT_USER\\Software\\A]\n"
                                 "\"one\"=-\n"
                                 "[-HKEY_CURRENT_USER\\Software\\B]\n");
    EXPECT_EQ(Reg(machine, "import " + file).out, "imported 1 key and 0 values from " +
                                                      machine.Root() +
                                                      "/input.reg; deleted 1 key and 1 value\n");
}

// Code page 932: "\x83\x5C" (katakana so) and "\x95\x5C" (kanji "table")
// are characters whose second byte is that of a backslash.
TEST(RegCommand, DoubleByteKeyNamesGoThroughExportImportQueryAndDelete) {
    MachineSettings settings;
    settings.codePage = 932;
    TestMachine first(settings);
    const std::string so = "\x83\x5C", table = "\x95\x5C";
    const std::string soUtf8 = "\xE3\x82\xBD", tableUtf8 = "\xE8\xA1\xA8";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, ("Software\\" + so + "\\" + table).c_str(), &key),
              ERROR_SUCCESS);
    Set(key, so.c_str(), REG_SZ, table + '\0');
    RegCloseKey(key);

    const std::string name = "HKEY_CURRENT_USER\\Software\\" + soUtf8 + "\\" + tableUtf8;
    RegRun exported = Reg(first, "export --utf8 'HKCU\\Software\\" + soUtf8 + "'");
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_NE(exported.out.find("[" + name + "]\n\"" + soUtf8 + "\"=\"" + tableUtf8 + "\"\n"),
              std::string::npos)
        << exported.out;

    TestMachine second(settings);
    RegRun imported = Reg(second, "import " + WriteRegFile(second, exported.out));
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out.rfind("imported 2 keys and 1 value from ", 0), 0u);
    EXPECT_EQ(Reg(second, "query 'HKCU\\Software'").out,
              "HKEY_CURRENT_USER\\Software\n\nHKEY_CURRENT_USER\\Software\\Microsoft\n"
              "\nHKEY_CURRENT_USER\\Software\\" +
                  soUtf8 + "\n");
    EXPECT_EQ(Reg(second, "query '" + name + "' " + soUtf8).out,
              name + "\n    " + soUtf8 + "    REG_SZ    " + tableUtf8 + "\n");
    EXPECT_EQ(Reg(second, "export").out, Reg(first, "export").out);

    EXPECT_EQ(Reg(second, "delete '" + name + "'").status, 0);
    EXPECT_EQ(Reg(second, "query '" + name + "'").status, 1);
    EXPECT_EQ(Reg(second, "query 'HKCU\\Software\\" + soUtf8 + "'").out,
              "HKEY_CURRENT_USER\\Software\\" + soUtf8 + "\n");
}

// A lead byte before 0x7F is no character of code page 932: written as it
// is, the name would read back from the file as another name. (Every byte
// string is text of 1252, whose five gaps are the C1 controls.)
TEST(RegCommand, ExportRefusesNamesThatHaveNoTextForm) {
    TestMachine machine(Japanese932Settings());
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Odd", &key), ERROR_SUCCESS);
    Set(key, "\x81\x7F", REG_SZ, std::string("v\0", 2));
    RegRun value = Reg(machine, "export 'HKCU\\Software'");
    EXPECT_EQ(value.status, 1);
    EXPECT_EQ(value.out, "");
    EXPECT_EQ(value.err, "kivtool reg: cannot export HKEY_CURRENT_USER\\Software\\Odd: a sub key "
                         "or value name is not text of the machine's code page\n");
    ASSERT_EQ(RegDeleteValueA(key, "\x81\x7F"), ERROR_SUCCESS);
    HKEY sub = nullptr;
    ASSERT_EQ(RegCreateKeyA(key, "\x81\x7F", &sub), ERROR_SUCCESS);
    RegCloseKey(sub);
    RegCloseKey(key);
    EXPECT_EQ(Reg(machine, "export").err, value.err);
}

// A key that no registry call could name again, or that lies deeper than a
// registry may, is refused with its line and nothing of the file imported.
TEST(RegCommand, ImportRefusesKeysWithNulOrDeeperThan512Levels) {
    TestMachine machine;
    std::string nul = "[HKEY_CURRENT_USER\\Software\\A";
    nul += '\0';
    nul += "B]\r\n";
    std::string deep = "[HKEY_CURRENT_USER";
    for (int level = 0; level < 513; ++level)
        deep += "\\L";
    deep += "]\r\n";
    for (const std::string& key : {nul, deep}) {
        RegRun run =
            Reg(machine, "import " + WriteRegFile(machine, "Windows Registry Editor "
                                                           "Version 5.00\r\n\r\n"
                                                           "[HKEY_CURRENT_USER\\Fine]\r\n" +
                                                               key));
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("input.reg:4: "), std::string::npos) << run.err;
        EXPECT_EQ(Reg(machine, "query 'HKCU\\Fine'").status, 1);
    }
}

// Export walks the tree without recursion: a key as deep as a registry
// allows comes out whole, and reads back in.
TEST(RegCommand, ExportOfTheDeepestKeyImportsBack) {
    TestMachine machine;
    std::string path = "Deep";
    for (int level = 2; level <= 512; ++level)
        path += "\\L";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, path.c_str(), &key), ERROR_SUCCESS);
    Set(key, "Bottom", REG_SZ, std::string("b\0", 2));
    RegCloseKey(key);
    RegRun exported = Reg(machine, "export --utf8 'HKCU\\Deep'");
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_NE(exported.out.find("[HKEY_CURRENT_USER\\" + path + "]\n\"Bottom\"=\"b\""),
              std::string::npos);
    TestMachine other;
    ASSERT_EQ(Reg(other, "import " + WriteRegFile(other, exported.out)).status, 0);
    EXPECT_EQ(Reg(other, "query 'HKCU\\" + path + "'").status, 0);
}
