// What a project says reaches the medium as the setup reads it: texts with
// the description's separators, comments and non-ASCII characters come back
// as written, in the project's code page or refused at their line; the
// licence, the setup's pictures, the registry and folder flags, the options
// and the setup program land where the setup looks for them.
#include "DistBuildTest.h"

namespace {
std::vector<std::string> Changed(std::vector<std::string> lines,
                                 const std::map<int, std::string>& changes) {
    for (const auto& [line, text] : changes)
        lines[line - 1] = text;
    return lines;
}
} // namespace

// Each text holds something that would split or end a field if it were not
// quoted: blanks, "=", ",", "(", a leading "//", and an empty value.
TEST_F(DistBuildTest, TextsComeBackFromTheDescriptionAsWritten) {
    const auto lines = Changed(Project(), {{3, "company = Kiv (software), Ltd."},
                                           {5, "long-name = //Talvic = Studio"},
                                           {7, "version = café"},
                                           {27, "[shortcut Talvic, the app]"},
                                           {31, "value Install Folder = text <INSTALLDST>\\x y"},
                                           {35, "full-screen = no\nregistry-file = my keys.reg"}});
    const fs::path medium = root / "medium";
    const KivtoolRun built = Build(lines, medium);
    ASSERT_EQ(built.status, 0) << built.output;
    SetupDescription d;
    LoadDescription(medium, &d);
    EXPECT_EQ(std::string(d.longApplicationName), "//Talvic = Studio");
    EXPECT_EQ(std::string(d.versionText), "caf\xE9") << "é in code page 1252";
    ASSERT_EQ(d.shortcuts.size(), 1u);
    EXPECT_EQ(std::string(d.shortcuts[0].shortcutName), "Talvic, the app");
    ASSERT_EQ(d.registryKeys.size(), 1u);
    ASSERT_EQ(d.registryKeys[0].values.size(), 2u);
    EXPECT_EQ(std::string(d.registryKeys[0].values[0].name), "Install Folder");
    EXPECT_EQ(std::string(d.registryKeys[0].values[0].text), "<INSTALLDST>\\x y");
    EXPECT_EQ(d.registryKeys[0].values[1].number, 3);
    EXPECT_EQ(std::string(d.OptionText(kOptionRegistryFileName)), "my keys.reg");
    EXPECT_FALSE(d.OptionFlag(kOptionFullScreen));
    EXPECT_FALSE(d.OptionFlag(kOptionStartupShortcut)) << "the default: no start-up shortcut";
}

// Japanese text needs code page 932: refused at its line in 1252, written
// in Shift JIS when the project asks for 932.
TEST_F(DistBuildTest, TextsFollowTheProjectsCodePage) {
    auto lines = Changed(Project(), {{5, "long-name = 日本"}});
    KivtoolRun run = Build(lines, root / "medium");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("talvic.kivdist:5: error: a text here cannot be written in code "
                              "page 1252"),
              std::string::npos)
        << run.output;
    lines[8] = "languages = English\ncode-page = 932";
    run = Build(lines, root / "medium");
    ASSERT_EQ(run.status, 0) << run.output;
    SetupDescription d;
    LoadDescription(root / "medium", &d);
    EXPECT_EQ(std::string(d.longApplicationName), "\x93\xFA\x96\x7B");
}

// The licence per language, the side image's pair as the setup's names in
// a setup-image component, the flags of folders and keys, and Setup.exe.
TEST_F(DistBuildTest, LicencesPicturesFlagsAndTheSetupProgramLandInPlace) {
    WriteHostFile(root / "licence/en.txt", "L\n");
    WriteHostFile(root / "pictures/side_rgb.jpg", "colour");
    WriteHostFile(root / "pictures/side_alp.jpg", "mask");
    WriteHostFile(root / "Setup.bin", "the setup program");
    const auto lines =
        Changed(Project(), {{9, "languages = English\nsetup-program = Setup.bin"},
                            {14, "target = Docs\nrun = yes\nsystem = yes"},
                            {32, "value Runs = dword 3\nwinreg = no\nuninstall = no"},
                            {33, "[licence]\nEnglish = licence/en.txt\n[images]\n"
                                 "side-image = pictures/side\n[options]"},
                            {34, "licence-page = yes"}});
    const fs::path medium = root / "medium";
    const KivtoolRun built = Build(lines, medium);
    ASSERT_EQ(built.status, 0) << built.output;
    EXPECT_EQ(ReadHostFile(medium / "Setup files/Languages/English/licence.txt"),
              "\xFE\xFF\0L\0\r\0\n"s);
    EXPECT_EQ(ReadHostFile(medium / "Setup.exe"), "the setup program");
    SetupDescription d;
    LoadDescription(medium, &d);
    EXPECT_TRUE(d.OptionFlag(kOptionLicencePage));
    EXPECT_EQ(std::string(d.agreementFileName), "licence.txt");
    ASSERT_EQ(d.installEntries.size(), 4u);
    EXPECT_TRUE(d.installEntries[1]->run);
    EXPECT_NE(d.installEntries[1]->system, 0);
    EXPECT_FALSE(d.installEntries[0]->run);
    const InstallEntry& side = *d.installEntries[3];
    EXPECT_EQ(std::string(side.destinationFolder), "Resources");
    ASSERT_EQ(d.components.size(), 3u);
    EXPECT_EQ(std::string(d.components[2]->name), "BillBoSideImage");
    const KivtoolRun listed =
        Kivtool("pack list '" + (medium / "Setup files/archive.zkiv").string() + "' " +
                std::to_string(side.packageOffset));
    EXPECT_NE(listed.output.find("leftimage_rgb.jpg"), std::string::npos) << listed.output;
    EXPECT_NE(listed.output.find("leftimage_alp.jpg"), std::string::npos) << listed.output;
    EXPECT_FALSE(d.registryKeys[0].winreg);
    EXPECT_TRUE(d.registryKeys[0].dontUninstall);
}
