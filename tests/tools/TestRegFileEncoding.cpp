// The encodings of registry text files: "reg export" writes what the
// Windows registry editor writes (UTF-16LE after its byte-order mark, CR LF
// line ends) unless asked for UTF-8, "reg import" reads both; and text the
// machine's code page lacks, which the NT family keeps and the older family
// cannot.
#include "KivtoolRun.h"
#include "TestMachine.h"
#include "platform/Windows.h"

#include <fstream>

namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00";

// UTF-8 text with LF line ends as the registry editor saves it.
std::string AsEditorFile(const std::string& utf8) {
    std::u16string wide;
    int count =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    wide.resize(static_cast<std::size_t>(count));
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), count);
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : wide) {
        if (unit == u'\n')
            bytes += std::string("\r\0", 2);
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

KivtoolRun Reg(const TestMachine& machine, const std::string& arguments) {
    return RunKivtool("reg " + arguments, "KIV_MACHINE='" + machine.Root() + "'", true);
}

KivtoolRun RegWithErrors(const TestMachine& machine, const std::string& arguments) {
    return RunKivtool("reg " + arguments, "KIV_MACHINE='" + machine.Root() + "'");
}

std::string WriteFile(const TestMachine& machine, const std::string& content) {
    std::string path = machine.Root() + "/input.reg";
    std::ofstream(path, std::ios::binary) << content;
    return "'" + path + "'";
}

// The data of a value under HKEY_CURRENT_USER through RegQueryValueExA or
// RegQueryValueExW; "-" when it cannot be read.
template <typename Char>
std::string Query(LONG (*query)(HKEY, const Char*, LPDWORD, LPDWORD, LPBYTE, LPDWORD),
                  const char* path, const Char* name) {
    HKEY key = nullptr;
    BYTE data[256];
    DWORD size = sizeof data;
    LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key);
    if (result == ERROR_SUCCESS)
        result = query(key, name, nullptr, nullptr, data, &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::string(reinterpret_cast<char*>(data), size) : "-";
}

std::string QueryW(const char* path, const char16_t* name) {
    return Query(RegQueryValueExW, path, name);
}

std::string QueryA(const char* path, const char* name) {
    return Query(RegQueryValueExA, path, name);
}

// "Zoë Ärger": text of code page 1252 that UTF-8 spells in two bytes.
const std::string kSmall = kHeader + "\n\n[HKEY_CURRENT_USER\\Software\\Small]\n"
                                     "\"Name\"=\"Zo\xC3\xAB \xC3\x84rger\"\n\n";

// Japanese text values on an English machine: "日本語" as text, as an
// expandable text (hex(2)) and as a list of texts (hex(7)).
const std::string kJapanese = kHeader + "\n\n[HKEY_CURRENT_USER\\Software\\Nihon]\n"
                                        "\"Text\"=\"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\"\n"
                                        "\"Path\"=hex(2):e5,65,2c,67,00,00\n"
                                        "\"List\"=hex(7):61,00,00,00,9e,8a,00,00,00,00\n\n";

} // namespace

TEST(RegFileEncoding, ExportIsWhatTheRegistryEditorWritesUnlessUtf8IsAsked) {
    TestMachine machine;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Small", &key), ERROR_SUCCESS);
    const std::string text = "Zo\xEB \xC4rger";
    ASSERT_EQ(RegSetValueExA(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1)),
              ERROR_SUCCESS);
    RegCloseKey(key);
    static const char kExpected[] =
        "\xFF\xFEW\0i\0n\0d\0o\0w\0s\0 \0R\0e\0g\0i\0s\0t\0r\0y\0 \0E\0d\0i\0t\0o\0r\0 \0V\0e\0r\0"
        "s\0i\0o\0n\0 \0"
        "5\0.\0"
        "0\0"
        "0\0\r\0\n\0\r\0\n\0[\0H\0K\0E\0Y\0_\0C\0U\0R\0R\0E\0N\0"
        "T\0_\0U\0S\0E\0R\0\\\0S\0o\0f\0t\0w\0a\0r\0e\0\\\0S\0m\0a\0l\0l\0]\0\r\0\n\0\"\0N\0a\0m\0"
        "e\0\"\0=\0\"\0Z\0o\0\xEB\0 \0\xC4\0r\0g\0e\0r\0\"\0\r\0\n\0\r\0\n\0";
    const std::string expected(kExpected, sizeof kExpected - 1);
    EXPECT_EQ(Reg(machine, "export 'HKCU\\Software\\Small'").output, expected);
    EXPECT_EQ(AsEditorFile(kSmall), expected);
    EXPECT_EQ(Reg(machine, "export --utf8 'HKCU\\Software\\Small'").output, kSmall);
}

TEST(RegFileEncoding, BothEncodingsImportIntoEqualMachines) {
    TestMachine utf16;
    KivtoolRun imported = Reg(utf16, "import " + WriteFile(utf16, AsEditorFile(kSmall)));
    ASSERT_EQ(imported.status, 0) << imported.output;
    const std::string whole = Reg(utf16, "export").output;
    TestMachine utf8;
    ASSERT_EQ(Reg(utf8, "import " + WriteFile(utf8, kSmall)).status, 0);
    EXPECT_EQ(Reg(utf8, "export").output, whole);
    EXPECT_EQ(QueryA("Software\\Small", "Name"), std::string("Zo\xEB \xC4rger\0", 10));
    // The whole export reads back into a third machine as the same registry.
    TestMachine again;
    ASSERT_EQ(Reg(again, "import " + WriteFile(again, whole)).status, 0);
    EXPECT_EQ(Reg(again, "export").output, whole);
}

TEST(RegFileEncoding, NtKeepsTextTheCodePageLacksThroughImportAndExport) {
    TestMachine machine;
    const std::string file = AsEditorFile(kJapanese);
    KivtoolRun imported = Reg(machine, "import " + WriteFile(machine, file));
    ASSERT_EQ(imported.status, 0) << imported.output;
    const char* key = "Software\\Nihon";
    EXPECT_EQ(QueryW(key, u"Text"), std::string("\xE5\x65\x2C\x67\x9E\x8A\0\0", 8));
    EXPECT_EQ(QueryW(key, u"Path"), std::string("\xE5\x65\x2C\x67\0\0", 6));
    EXPECT_EQ(QueryW(key, u"List"), std::string("a\0\0\0\x9E\x8A\0\0\0\0", 10));
    EXPECT_EQ(QueryA(key, "Text"), std::string("???\0", 4));
    EXPECT_EQ(QueryA(key, "List"), std::string("a\0?\0\0", 5));
    EXPECT_EQ(Reg(machine, "export 'HKCU\\Software\\Nihon'").output, file);
    EXPECT_EQ(Reg(machine, "query 'HKCU\\Software\\Nihon' Text").output,
              "HKEY_CURRENT_USER\\Software\\Nihon\n    Text    REG_SZ    "
              "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\n");
}

// The older family's registry holds text of its code page only, and its
// registry editor reads nothing else: text it lacks is refused with its
// line, rather than kept as "?", and nothing of the file is imported.
TEST(RegFileEncoding, OlderFamilyRefusesTextTheCodePageLacks) {
    MachineSettings settings;
    settings.family = PlatformFamily::Win9x;
    TestMachine machine(settings);
    KivtoolRun refused =
        RegWithErrors(machine, "import " + WriteFile(machine, AsEditorFile(kJapanese)));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.output.find("input.reg:4: "), std::string::npos) << refused.output;
    EXPECT_NE(refused.output.find("(the older family keeps registry text in its code page); "
                                  "nothing imported"),
              std::string::npos)
        << refused.output;
    EXPECT_EQ(QueryA("Software\\Nihon", "Text"), "-");

    const std::string file = AsEditorFile(kSmall);
    ASSERT_EQ(Reg(machine, "import " + WriteFile(machine, file)).status, 0);
    EXPECT_EQ(QueryA("Software\\Small", "Name"), std::string("Zo\xEB \xC4rger\0", 10));
    EXPECT_EQ(Reg(machine, "export 'HKCU\\Software\\Small'").output, file);
}
