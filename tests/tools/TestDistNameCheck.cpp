// File names against the code pages of the languages a medium offers: the
// build names every one that a language's machines cannot spell, and a
// Japanese machine refuses such an entry before it writes anything, leaving
// an installation that uninstalls back to a fresh machine.
#include "DistBuildTest.h"

namespace {

std::vector<std::string> WithLanguages(std::vector<std::string> lines, const std::string& medium) {
    lines[8] = medium; // line 9: languages
    return lines;
}

TestMachine JapaneseMachine() {
    MachineSettings settings;
    settings.codePage = 932;
    settings.languageId = 0x0411;
    return TestMachine(settings);
}

} // namespace

// "Résumé.txt" packed in code page 1252 is no text in 932, and "×.txt" reads
// as another character there; a copied "ソフト.txt" cannot be written in
// 1252. Each is named with its folder's line, file, code page and languages.
TEST_F(DistBuildTest, NamesEveryFileAnOfferedLanguageCannotSpell) {
    WriteHostFile(product / "docs/Résumé.txt", "cv");
    WriteHostFile(product / "docs/\u00D7.txt", "times");
    KivtoolRun run =
        Build(WithLanguages(Project(), "languages = English, Japanese"), root / "medium");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("talvic.kivdist:12: error: the file name 'Résumé.txt' in Docs, in "
                              "code page 932 (Japanese), is no text there"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("the file name '\u00D7.txt' in Docs, in code page 932 (Japanese), "
                              "reads as '"),
              std::string::npos)
        << run.output;
    EXPECT_FALSE(fs::exists(root / "medium"));
    // Offered in English alone, 1252 spells them all.
    EXPECT_EQ(Build(Project(), root / "medium").status, 0);

    fs::remove(product / "docs/Résumé.txt");
    fs::remove(product / "docs/\u00D7.txt");
    WriteHostFile(product / "extras/\u30BD\u30D5\u30C8.txt", "soft");
    run = Build(WithLanguages(Project(), "languages = German, Japanese\ncode-page = 932"),
                root / "medium2");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("talvic.kivdist:16: error: the file name '\u30BD\u30D5\u30C8.txt' in "
                              "Extras, in code page 1252 (German), cannot be written there"),
              std::string::npos)
        << run.output;
}

// A vendor who knows may let the build pass: the names stay as warnings. On
// a Japanese machine the entry, packed or copied, then fails with its own
// message before its folder is made, and the uninstaller leaves a fresh
// machine; run again it finds nothing to do.
TEST_F(DistBuildTest, AnUnspellableEntryFailsBeforeWritingAndUninstallsClean) {
    for (const std::string entry : {"Docs", "Extras"}) {
        SCOPED_TRACE(entry);
        const std::string source = entry == "Docs" ? "docs" : "extras";
        WriteHostFile(product / source / "Résumé.txt", "cv");
        const fs::path medium = root / ("medium-" + source);
        const KivtoolRun built = Build(
            WithLanguages(Project(), "languages = English, Japanese\nunspellable-names = warning"),
            medium);
        fs::remove(product / source / "Résumé.txt");
        ASSERT_EQ(built.status, 0) << built.output;
        EXPECT_NE(built.output.find("warning: the file name 'Résumé.txt' in " + entry),
                  std::string::npos)
            << built.output;

        TestMachine japanese = JapaneseMachine();
        const std::string drive = japanese.DriveC();
        const auto before = DriveListing(drive, "\n");
        const std::string on = "KIV_MACHINE='" + japanese.Root() + "'";
        const KivtoolRun installed =
            RunKivtool("install '" + medium.string() + "' --language japanese", on);
        EXPECT_EQ(installed.status, 1603 & 0xFF) << installed.output;
        EXPECT_NE(installed.output.find(".txt in " + entry), std::string::npos) << installed.output;
        EXPECT_NE(installed.output.find("code page 932"), std::string::npos) << installed.output;
        const std::string folder = "Program Files/Kiv software/Talvic/";
        EXPECT_TRUE(fs::exists(japanese.DriveC(folder + "App.exe")));
        EXPECT_FALSE(fs::exists(japanese.DriveC(folder + entry)));

        const std::string uninstall = "uninstall 'C:\\Program Files\\Kiv software\\Talvic'";
        const KivtoolRun removed = RunKivtool(uninstall, on);
        EXPECT_EQ(removed.status, 0) << removed.output;
        EXPECT_EQ(removed.output.find("kept:"), std::string::npos) << removed.output;
        EXPECT_EQ(DriveListing(drive, "\n"), before);
        EXPECT_EQ(RunKivtool(uninstall, on).status, 1);
    }
}
