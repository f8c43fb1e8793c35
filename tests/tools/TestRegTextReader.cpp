// The registry text reader: what it accepts and where it stops.
#include "TestMachine.h"
#include "tools/kivtool/RegTextReader.h"

namespace {

const std::string kHead = "Windows Registry Editor Version 5.00\n";

struct Parsed {
    bool ok;
    int line;
    std::string error;
    std::vector<RegTextChange> changes;
};

// Text values in ANSI, as the older family keeps them, unless wideText.
Parsed ParseText(const std::string& text, bool wideText = false) {
    Parsed parsed;
    parsed.line = 0;
    parsed.ok = RegTextReader::Parse(text, wideText, &parsed.changes, &parsed.line, &parsed.error);
    return parsed;
}

using RegTextReaderTest = MachineTest;

} // namespace

TEST_F(RegTextReaderTest, ErrorsNameTheirLine) {
    const struct {
        std::string text;
        int line;
    } cases[] = {
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n", 1},
        {"", 1},
        {kHead + "\"v\"=\"before any key\"\n", 2},
        {kHead + "[HKEY_CURRENT_USER\\A\n", 2},
        {kHead + "[HKEY_NOWHERE\\A]\n", 2},
        {kHead + "[hkey_current_user\\A]\n", 2},
        {kHead + "[HKEY_CURRENT_USER\\A\\\\B]\n", 2},
        {kHead + "[-HKEY_LOCAL_MACHINE]\n", 2},
        {kHead + "[HKEY_PERFORMANCE_DATA\\A]\n", 2},
        {kHead + "\n; note\n[HKEY_CURRENT_USER\\A]\n\"v\"=\"open\n", 5},
        {kHead + "[HKEY_CURRENT_USER\\A]\n\"v\"=\"a\\tb\"\n", 3},
        {kHead + "[HKEY_CURRENT_USER\\A]\n\"v\"=\"a\" trailing\n", 3},
        {kHead + "[HKEY_CURRENT_USER\\A]\n\"v\"=dword:123456789\n", 3},
        {kHead + "[HKEY_CURRENT_USER\\A]\n\"v\"=hex:01,,02\n", 3},
        {kHead + "[HKEY_CURRENT_USER\\A]\n\"v\"=hex:01,\\\n  0g\n", 3},
        {kHead + "[HKEY_CURRENT_USER\\A]\n\"v\"=hex(2):41,00,42\n", 3},
        {kHead + "[HKEY_CURRENT_USER\\A]\n\"v\"=hex(zz):41\n", 3},
        {kHead + "[HKEY_CURRENT_USER\\A]\n\"v\"=\n", 3},
        {kHead + "[HKEY_CURRENT_USER\\A]\n\"v\" \"x\"\n", 3},
        {kHead + "[HKEY_CURRENT_USER\\A]\nplain text\n", 3},
        {kHead + "[-HKEY_CURRENT_USER\\A]\n\"v\"=\"x\"\n", 3},
        // A character that code page 1252 lacks, and bytes that are not UTF-8.
        {kHead + "[HKEY_CURRENT_USER\\A]\n\"v\"=\"\xE6\x97\xA5\"\n", 3},
        {kHead + "[HKEY_CURRENT_USER\\A]\n\"\xFF\"=\"x\"\n", 3},
    };
    for (const auto& test : cases) {
        Parsed parsed = ParseText(test.text);
        EXPECT_FALSE(parsed.ok) << test.text;
        EXPECT_EQ(parsed.line, test.line) << test.text << " -> " << parsed.error;
        EXPECT_FALSE(parsed.error.empty());
    }
}

TEST_F(RegTextReaderTest, ReadsEveryKindOfLine) {
    Parsed parsed = ParseText("\xEF\xBB\xBF" + kHead +
                              "\r\n[HKLM\\SOFTWARE\\Caf\xC3\xA9\\]\r\n"
                              "@=\"a \\\"b\\\" \\\\\"\r\n"
                              "\"n\" = dword:A\r\n"
                              "\"h\"=hex(7):61,00,00,00,\\\r\n"
                              "    00,00\r\n"
                              "\"x\"=-\r\n"
                              "[-HKEY_CURRENT_USER\\Gone]\r\n");
    ASSERT_TRUE(parsed.ok) << parsed.line << ": " << parsed.error;
    ASSERT_EQ(parsed.changes.size(), 6u);
    const RegTextChange& key = parsed.changes[0];
    EXPECT_EQ(key.kind, RegTextChange::Kind::CreateKey);
    EXPECT_EQ(key.root, RegistryStore::RootId(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(key.path, "SOFTWARE\\Caf\xE9");
    EXPECT_EQ(parsed.changes[1].name, "");
    EXPECT_EQ(parsed.changes[1].data, std::string("a \"b\" \\\0", 8));
    EXPECT_EQ(parsed.changes[2].data, std::string("\x0a\0\0\0", 4));
    EXPECT_EQ(parsed.changes[3].type, REG_MULTI_SZ);
    EXPECT_EQ(parsed.changes[3].data, std::string("a\0\0", 3));
    EXPECT_EQ(parsed.changes[4].kind, RegTextChange::Kind::DeleteValue);
    EXPECT_EQ(parsed.changes[5].kind, RegTextChange::Kind::DeleteKey);
    EXPECT_EQ(parsed.changes[5].line, 9);
}

TEST_F(RegTextReaderTest, ReadsUtf16FilesAsWindowsSavesThem) {
    std::string text = kHead + "[HKEY_CURRENT_USER\\A]\n\"v\"=\"w\"\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : text)
        utf16 += std::string(1, c) + '\0';
    Parsed parsed = ParseText(utf16);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    ASSERT_EQ(parsed.changes.size(), 2u);
    EXPECT_EQ(parsed.changes[1].data, std::string("w\0", 2));
}

TEST_F(RegTextReaderTest, ValueContinuedOverManyLinesIsReadWhole) {
    // As Windows wraps long hex data: 25 bytes a line, each line but the
    // last ending in "\".
    constexpr int kLines = 100000;
    std::string text = kHead + "[HKEY_CURRENT_USER\\A]\n\"big\"=hex:";
    for (int line = 0; line < kLines; ++line) {
        for (int i = 0; i < 25; ++i)
            text += (line + i) % 2 ? "5c," : "a0,";
        text += line + 1 < kLines ? "\\\n  " : "00\n";
    }
    text += "\"after\"=dword:1\n";
    Parsed parsed = ParseText(text);
    ASSERT_TRUE(parsed.ok) << parsed.line << ": " << parsed.error;
    ASSERT_EQ(parsed.changes.size(), 3u);
    const std::string& data = parsed.changes[1].data;
    ASSERT_EQ(data.size(), kLines * 25u + 1);
    EXPECT_EQ(data.substr(0, 2), "\xA0\x5C");
    EXPECT_EQ(data.substr(data.size() - 2), std::string("\x5C\0", 2));
    EXPECT_EQ(parsed.changes[2].name, "after");
    EXPECT_EQ(parsed.changes[2].line, kLines + 3);
}

TEST(RegTextReader, JapaneseKeyNamesEndingInTheBackslashByte) {
    MachineSettings settings;
    settings.codePage = 932;
    TestMachine machine(settings);
    // Katakana so and the kanji for "table" are 0x83 0x5C and 0x95 0x5C in
    // code page 932.
    Parsed parsed = ParseText(kHead + "[HKCU\\Software\\\xE3\x82\xBD\\\xE8\xA1\xA8]\n");
    ASSERT_TRUE(parsed.ok) << parsed.line << ": " << parsed.error;
    ASSERT_EQ(parsed.changes.size(), 1u);
    EXPECT_EQ(parsed.changes[0].path, "Software\\\x83\x5C\\\x95\x5C");
}
