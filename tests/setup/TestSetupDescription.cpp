#include "Japanese932.h"
#include "SetupTestText.h"
#include "TestMachine.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

// Loads text that must be refused and returns "line N: reason".
std::string Refusal(const std::string& text) {
    SetupDescription d;
    if (LoadDescriptionText(text, d))
        return "accepted";
    return "line " + std::to_string(d.error.line) + ": " + d.error.reason;
}

} // namespace

TEST(SetupDescription, LoadsEveryPartOfASoundDescription) {
    SetupDescription d;
    ASSERT_TRUE(LoadDescriptionText(DescriptionText().Text(), d)) << d.error.reason;
    EXPECT_STREQ(d.longApplicationName, "Talvic Studio");
    EXPECT_EQ(d.availableLanguages, 15);
    EXPECT_TRUE(d.multiVolume);

    ASSERT_EQ(d.installEntries.size(), 2u);
    const InstallEntry& program = *d.installEntries[0];
    EXPECT_TRUE(program.packed && program.run);
    EXPECT_EQ(program.platform, kPlatformPC);
    EXPECT_EQ(program.names, (std::vector<std::string>{"talvic.exe", "readme.txt"}));
    const InstallEntry& tools = *d.installEntries[1];
    EXPECT_STREQ(tools.destinationFolder, "Tools\\Big Box");
    EXPECT_FALSE(tools.packed);
    EXPECT_EQ(tools.platform, kPlatformPCMac);
    EXPECT_EQ(tools.volume, 2);
    EXPECT_TRUE(tools.listMode);
    EXPECT_EQ(d.TotalInstallSize(), 1500);

    EXPECT_EQ(d.setupTypes[1]->components, (std::vector<Component*>{d.components[0].get()}));
    EXPECT_EQ(d.shortcuts[0].entry, &program);
    EXPECT_STREQ(d.shortcuts[0].shortcutName, "Talvic");
    EXPECT_EQ(d.extraUninstallPaths, (std::vector<std::string>{"Data"}));
    EXPECT_TRUE(d.volumes.at(0).media);

    ASSERT_EQ(d.registryKeys.size(), 2u);
    const RegistryKeyRecord& key = d.registryKeys[0];
    EXPECT_STREQ(key.keyPath, "HKEY_LOCAL_MACHINE\\Software\\<LONGAPPNAME>");
    EXPECT_TRUE(key.winreg);
    EXPECT_FALSE(key.dontUninstall);
    ASSERT_EQ(key.values.size(), 2u);
    EXPECT_STREQ(key.values[0].text, "<INSTALLDST>");
    EXPECT_EQ(key.values[1].number, 3);
    EXPECT_TRUE(d.registryKeys[1].dontUninstall && !d.registryKeys[1].winreg);
    EXPECT_EQ(d.optionsRead, 3);
    EXPECT_TRUE(d.OptionFlag(kOptionCreateProgramGroup));
}

TEST(SetupDescription, ComponentLinesInTheirThreeForms) {
    DescriptionText text;
    text.entries += text.entries; // four entries
    text.header.replace(text.header.find("Entries 2"), 9, "Entries 4");
    text.components = "Components 3\n"
                      "Component Tools x 15 2 { 0 3 }\n"
                      "Component Tools x 5 2 reg.dat { 0 3 }\n"
                      "Component Tools x 8 2 reg.dat 0 { 0 3 }\n";
    SetupDescription d;
    ASSERT_TRUE(LoadDescriptionText(text.Text(), d)) << d.error.reason;
    const std::vector<InstallEntry*> expected{d.installEntries[0].get(), d.installEntries[3].get()};
    for (const auto& c : d.components)
        EXPECT_EQ(c->entries, expected);
    EXPECT_STREQ(d.components[0]->registryFileName, "");
    EXPECT_TRUE(d.components[0]->enabled && d.components[1]->enabled && !d.components[2]->enabled);
    EXPECT_STREQ(d.components[1]->registryFileName, "reg.dat");
    EXPECT_STREQ(d.components[2]->registryFileName, "reg.dat");
    EXPECT_EQ(d.components[1]->languages, 5);
}

TEST(SetupDescription, LinesConsumedWhateverTheyHold) {
    DescriptionText text;
    text.header.replace(text.header.find("predecomp 1"), 11, "something else");
    // A comment line between an entry and its names is skipped; a line of
    // spaces is handed out and serves as the name list of a count of 0.
    text.entries = "Entry 0 A \"\" A \"\" TRUE platformPC \"\" 0 0 4 1 10 1 0 0 0\n"
                   "// the names\n"
                   "a.exe\n"
                   "Entry 1 B \"\" B \"\" TRUE platformMac \"\" 0 0 4 1 10 0 0 0 0\n"
                   "   \n";
    SetupDescription d;
    ASSERT_TRUE(LoadDescriptionText(text.Text(), d)) << d.error.reason;
    EXPECT_EQ(d.installEntries[0]->names, std::vector<std::string>{"a.exe"});
    EXPECT_EQ(d.installEntries[1]->platform, kPlatformMac);
    EXPECT_EQ(d.TotalInstallSize(), 10);

    // Line breaks are written as the characters 14 and 11 inside quotes.
    text.entries.replace(text.entries.find("a.exe"), 5,
                         "\"a\x0E\x0B"
                         "b\"");
    ASSERT_TRUE(LoadDescriptionText(text.Text(), d)) << d.error.reason;
    EXPECT_EQ(d.installEntries[0]->names[0], "a\r\nb");
}

TEST(SetupDescription, OptionCountsBelowAndAbove28) {
    DescriptionText text;
    text.options = "Options x 12\n";
    for (int k = 1; k <= 12; ++k)
        text.options += "Option " + std::to_string(k + 100) + "\n";
    text.options += "Option 999\n";
    SetupDescription d;
    ASSERT_TRUE(LoadDescriptionText(text.Text(), d)) << d.error.reason;
    EXPECT_EQ(d.optionsRead, 12);
    EXPECT_EQ(d.OptionNumber(12), 112);
    EXPECT_EQ(d.OptionNumber(13), 0);
    EXPECT_EQ(d.OptionNumber(28), 0);
    EXPECT_STREQ(d.OptionText(13), "");

    text.options = "Options x 40\n";
    for (int k = 1; k <= 28; ++k)
        text.options +=
            "Option " + std::string(k == 16 ? "\"..\\Disk 2\"" : std::to_string(k)) + "\n";
    text.options += "Option \"never closed\n" + std::string(5000, 'x') + "\n";
    ASSERT_TRUE(LoadDescriptionText(text.Text(), d)) << d.error.reason;
    EXPECT_EQ(d.optionsRead, 28);
    EXPECT_EQ(d.OptionNumber(28), 28);
    EXPECT_STREQ(d.OptionText(16), "..\\Disk 2");
}

TEST(SetupDescription, RegistryKeysAndTheirEndRules) {
    DescriptionText text;
    text.registry = "Registry begin\n[ENDREGBASE]\n";
    SetupDescription d;
    ASSERT_TRUE(LoadDescriptionText(text.Text(), d)) << d.error.reason;
    EXPECT_TRUE(d.registryKeys.empty());
    EXPECT_EQ(d.optionsRead, 3);

    // A key line without a bracketed path ends the keys like the end line.
    text.registry =
        "Registry begin\n  x [HKEY_USERS\\A] WINREG DONTUNINSTALL\n <DEFAULT> 1 \"a b\"\n"
        "[HKEY_USERS\\B\n";
    ASSERT_TRUE(LoadDescriptionText(text.Text(), d)) << d.error.reason;
    ASSERT_EQ(d.registryKeys.size(), 1u);
    EXPECT_TRUE(d.registryKeys[0].winreg && d.registryKeys[0].dontUninstall);
    EXPECT_STREQ(d.registryKeys[0].values[0].name, "<DEFAULT>");
    EXPECT_STREQ(d.registryKeys[0].values[0].text, "a b");
    EXPECT_EQ(d.optionsRead, 3);
}

TEST(SetupDescription, FileMayEndAmongRegistryKeysOrOptions) {
    DescriptionText text;
    SetupDescription d;
    const std::string beforeKeys =
        text.header + text.entries + text.components + text.types + text.lists;
    // Each cut ends the file inside the keys or the options: accepted, the
    // key being read is dropped, options not read stay 0.
    const std::pair<std::string, std::size_t> cuts[] = {
        {beforeKeys, 0},
        {beforeKeys + "Registry begin\n[HKEY_LOCAL_MACHINE\\A]\nName 1 x\n", 0},
        {beforeKeys + text.registry, 2},
        {beforeKeys + text.registry + "Options x 3\nFullScreen 0\nFullScreen 1\n", 2},
    };
    for (const auto& [cut, keys] : cuts) {
        ASSERT_TRUE(LoadDescriptionText(cut, d)) << d.error.reason;
        EXPECT_EQ(d.registryKeys.size(), keys);
        EXPECT_FALSE(d.OptionFlag(kOptionCreateProgramGroup));
    }
    EXPECT_TRUE(d.OptionFlag(kOptionFullScreen));
}

TEST(SetupDescription, RefusalsSayWhereAndWhy) {
    const DescriptionText text;
    auto with = [](std::string DescriptionText::*part, const std::string& from,
                   const std::string& to) {
        DescriptionText changed;
        std::string& piece = changed.*part;
        piece.replace(piece.find(from), from.size(), to);
        return Refusal(changed.Text());
    };
    EXPECT_EQ(Refusal(text.header + text.entries.substr(0, 60)),
              "line 20: install entry 0: missing field: name count");
    EXPECT_EQ(Refusal(text.header + text.entries),
              "line 23: components: the file ends before the count line");
    EXPECT_EQ(with(&DescriptionText::header, "Talvic\n", std::string(260, 'n') + "\n"),
              "line 8: header line 7: application name is longer than 259 characters");
    EXPECT_EQ(with(&DescriptionText::header, "Talvic\n", std::string(259, 'n') + "\n"), "accepted");
    EXPECT_EQ(with(&DescriptionText::header, "Number 0", std::string(4000, 'n')),
              "line 17: header line 16: line longer than 3999 characters");
    EXPECT_EQ(with(&DescriptionText::entries, "readme.txt", "\"readme.txt"),
              "line 21: install entry 0, name list: a quoted text is not closed before the end of "
              "the line");
    EXPECT_EQ(with(&DescriptionText::entries, "readme.txt", "read\"me\".txt"),
              "line 21: install entry 0, name list: a double quote inside a field must follow a "
              "backslash");
    EXPECT_EQ(with(&DescriptionText::components, "{ 0 1 }", "{ 0 2 }"),
              "line 26: component 1: install entry index 2 is out of range: there are 2 of them");
    EXPECT_EQ(with(&DescriptionText::components, "{ 0 }", "{ -1 }"),
              "line 25: component 0: install entry index -1 is out of range: there are 2 of them");
    EXPECT_EQ(with(&DescriptionText::components, "{ 0 1 }", "{ 0 }"),
              "line 26: component 1: install entry index \"}\" is not a number");
    EXPECT_EQ(with(&DescriptionText::types, "x 1 { 0 }", "x 1 { 2 }"),
              "line 29: setup type 1: component index 2 is out of range: there are 2 of them");
    EXPECT_EQ(with(&DescriptionText::lists, "Talvic 0", "Talvic 9"),
              "line 32: shortcut 0: install entry index 9 is out of range: there are 2 of them");
    EXPECT_EQ(with(&DescriptionText::options, "Group 1", "Group \"1"),
              "line 47: option 3: a quoted text is not closed before the end of the line");
}

// On a Japanese machine 表 (95 5C) ends in the backslash byte, which is no
// backslash before a double quote; a real one still is.
TEST(SetupDescription, ATrailByteDoesNotLetAQuoteIntoAField) {
    TestMachine japanese(Japanese932Settings());
    DescriptionText changed;
    changed.entries.replace(changed.entries.find("readme.txt"), 10, "\x95\x5C\"me\".txt");
    EXPECT_EQ(Refusal(changed.Text()), "line 21: install entry 0, name list: a double quote "
                                       "inside a field must follow a backslash");
    DescriptionText escaped;
    escaped.entries.replace(escaped.entries.find("readme.txt"), 10, "\x95\x5C\\\"me\\\".txt");
    EXPECT_EQ(Refusal(escaped.Text()), "accepted");
}

TEST_F(MachineTest, LoadSetupDescriptionReadsAWindowsPath) {
    SetupDescription d;
    std::snprintf(d.filePath, sizeof d.filePath, "C:\\config.ini");
    EXPECT_FALSE(LoadSetupDescription(d));
    EXPECT_EQ(d.error.line, 0);
    EXPECT_EQ(d.error.reason, "the file cannot be opened");

    std::ofstream(machine.DriveC("config.ini"), std::ios::binary) << DescriptionText().Text();
    ASSERT_TRUE(LoadSetupDescription(d)) << d.error.reason;
    EXPECT_EQ(d.setupTypes.size(), 3u);
    EXPECT_STREQ(d.filePath, "C:\\config.ini");
}
