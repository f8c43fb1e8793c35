// The setup program end to end: the example product's Setup.exe on a fresh
// machine, headless, clicked through by input scripts. Every path of the page
// sequence is followed to what it leaves on the machine: the files, the
// registry keys, the shortcuts (read back by lnkinfo), the uninstall record,
// and the staging folder, which no path leaves behind.
#include "SetupProgramTest.h"
#include "platform/Machine.h"
#include "platform/PeImageBuilder.h"
#include "platform/Windows.h"
#include "setup/SetupDescription.h"

#include <chrono>
#include <cstdio>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace setup_test;

namespace {

std::string Links(const fs::path& folder) {
    std::string names;
    if (fs::exists(folder))
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.path().extension() == ".LNK" || entry.path().extension() == ".lnk")
                names += entry.path().filename().string() + "\n";
    return names;
}

// What lnkinfo, a reader of shell links made by others, says of a link.
std::string LnkInfo(const fs::path& link) {
    std::string text;
    FILE* pipe = popen(("lnkinfo '" + link.string() + "' 2>&1").c_str(), "r");
    char buffer[4096];
    for (std::size_t got; pipe && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, got);
    if (pipe)
        pclose(pipe);
    return text;
}

// The English size text of a byte count, as the pages show it.
std::string SizeText(double bytes) {
    const struct {
        double unit;
        const char* name;
    } units[] = {{1073741824.0, "GB"}, {1048576.0, "MB"}, {1024.0, "KB"}};
    char text[64];
    for (const auto& unit : units)
        if (bytes > unit.unit) {
            std::snprintf(text, sizeof text, "%.2f %s", bytes / unit.unit, unit.name);
            return text;
        }
    std::snprintf(text, sizeof text, "%d bytes", static_cast<int>(bytes));
    return text;
}

} // namespace

TEST_F(SetupProgramTest, TypicalWithEveryPageInstallsTheProductItsKeysLinksAndRecord) {
    ASSERT_EQ(RunSetup(Through(kSetupTypePage) + FinishTypical()), 0) << output;
    for (const char* file : {"Orrery.exe", "Docs/readme.txt", "Docs/manual.html", "Charts"})
        EXPECT_TRUE(fs::exists(Product(file))) << file;
    EXPECT_FALSE(fs::exists(Product("Samples"))) << "Samples belong to Custom only";
    EXPECT_FALSE(fs::exists(Product("Resources"))) << "the setup's own pictures stay out";
    EXPECT_TRUE(fs::exists(machine.DriveC("Windows/System32/KivOrbit.dll")));
    const std::string key = ProductKey();
    EXPECT_NE(key.find("C:\\Program Files\\Kiv software\\Orrery"), std::string::npos) << key;
    EXPECT_NE(key.find("User"), std::string::npos) << key;

    const fs::path menu = machine.DriveC("Documents and Settings");
    const std::string links = Links(menu);
    EXPECT_NE(links.find("Orrery.LNK"), std::string::npos) << links;
    bool read = false;
    for (const auto& entry : fs::recursive_directory_iterator(menu))
        if (entry.path().filename() == "Orrery.LNK" &&
            entry.path().parent_path().filename() != "Startup") {
            EXPECT_NE(LnkInfo(entry.path()).find("Orrery.exe"), std::string::npos);
            read = true;
        }
    EXPECT_TRUE(read);
    EXPECT_TRUE(fs::exists(
        machine.DriveC("Documents and Settings/All Users/Start Menu/Programs/Startup/Orrery.LNK")))
        << "the completion page offers the start-up shortcut checked" << links;

    const std::string record = ReadHostFile(Product(".uninstallinfos.log"));
    EXPECT_NE(record.find("Orrery.exe"), std::string::npos);
    EXPECT_NE(record.find("Startup"), std::string::npos) << "the start-up shortcut is listed";
    EXPECT_FALSE(fs::exists(Staging()));
}

// A new user's round: a setup left on its first page, then one through
// every page and kivtool uninstall. Each time the machine is the fresh one
// again, files and registry alike: no key the setup made for itself stays,
// and the shared library, new here and so counted once, goes with its one
// use.
TEST_F(SetupProgramTest, ALeftSetupAndAnUninstalledOneGiveBackTheFreshMachine) {
    const std::string drive = machine.DriveC();
    const auto fresh = DriveListing(drive);
    const std::string registry = Kivtool("reg export --utf8").output;
    ASSERT_EQ(RunSetup(Through(kWelcomePage) + "key Escape\n" + kBox + "key Y\n"), kCancelledStatus)
        << output;
    EXPECT_EQ(DriveListing(drive), fresh);
    EXPECT_EQ(Kivtool("reg export --utf8").output, registry);

    ASSERT_EQ(RunSetup(Through(kSetupTypePage) + FinishTypical()), 0) << output;
    ASSERT_TRUE(fs::exists(machine.DriveC("Windows/System32/KivOrbit.dll")));
    const KivtoolRun removed = Kivtool("uninstall 'C:\\Program Files\\Kiv software\\Orrery'");
    EXPECT_EQ(removed.status, 0) << removed.output;
    EXPECT_EQ(DriveListing(drive), fresh) << removed.output;
    EXPECT_EQ(Kivtool("reg export --utf8").output, registry);
}

TEST_F(SetupProgramTest, CustomWithTwoComponentsUncheckedLeavesThemOutAndShowsTheSpace) {
    // Program, Library, Documentation, Samples, Charts: Samples and Charts off.
    std::int32_t needed = 0;
    for (const char* name : {"Program", "Library", "Documentation"})
        needed += ComponentSize(name);
    ASSERT_GT(needed, 0);
    const std::string script = Through(kSetupTypePage) +
                               "click #1001\nkey Return\nwait-window #14\nclick #1006\n"
                               "key Home Down Down Down space Down space\n"
                               "expect-text #1002 " +
                               SizeText(needed) +
                               "\n"
                               "screenshot custom.png\nkey Return\n"
                               "wait-window #15 60000\nclick #1100\n";
    ASSERT_EQ(RunSetup(script), 0) << output;
    EXPECT_TRUE(fs::exists(Product("Orrery.exe")));
    EXPECT_TRUE(fs::exists(Product("Docs/readme.txt")));
    EXPECT_FALSE(fs::exists(Product("Samples")));
    EXPECT_FALSE(fs::exists(Product("Charts")));
    EXPECT_TRUE(fs::exists(root / "custom.png"));
    EXPECT_FALSE(fs::exists(Staging()));
}

TEST_F(SetupProgramTest, JapaneseChosenOnTheLanguagePageSpeaksFromTheNextPageOn) {
    const std::string script = Through(kLanguagePage) +
                               "click #1002\nkey Home Down Down Down\nkey Return\n"
                               "wait-window #10\nexpect-text #1000 ようこそ\n"
                               "screenshot japanese.png\nkey Escape\n" +
                               kBox + "key Y\n";
    ASSERT_EQ(RunSetup(script), kCancelledStatus) << output;
    EXPECT_TRUE(fs::exists(root / "japanese.png"));
    ExpectNothingInstalled();
}

// Pages that nobody can answer, with no screen and no input script, end the
// setup at once with what is wrong instead of a silent wait; so does a
// KIV_DISPLAY that names no display.
TEST_F(SetupProgramTest, PagesNobodyCanAnswerEndTheSetupAtItsStart) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "setup: the display is headless (KIV_DISPLAY=headless) and no input script"},
        {"KIV_DISPLAY= DISPLAY= WAYLAND_DISPLAY= ",
         "setup: there is no display (DISPLAY and WAYLAND_DISPLAY are unset) and no input script"},
        {"KIV_DISPLAY=bogus ", "setup: KIV_DISPLAY=bogus names no display (headless or sdl2)\n"},
    };
    for (const auto& [environment, message] : cases) {
        EXPECT_EQ(RunSetupOn(root, "", environment), kFailedStatus) << environment << output;
        EXPECT_EQ(output.rfind(message, 0), 0u) << environment << output;
        ExpectNothingInstalled();
    }
}

TEST_F(SetupProgramTest, DecliningTheLicenceEndsTheSetupAndLeavesNothing) {
    ASSERT_EQ(RunSetup(Through(kLicencePage) + "click #1502\nkey Return\nsleep 5000\n"),
              kCancelledStatus)
        << output;
    ExpectNothingInstalled();
    EXPECT_FALSE(fs::exists(Product(".uninstallinfos.log")));
}

TEST_F(SetupProgramTest, CancelOnEveryPageAsksAndGoesOnlyOnYes) {
    const std::pair<Page, std::string> pages[] = {
        {kLanguagePage, Through(kLanguagePage)},
        {kWelcomePage, Through(kWelcomePage)},
        {kLicencePage, Through(kLicencePage)},
        {kUserPage, Through(kUserPage)},
        {kSetupTypePage, Through(kSetupTypePage)},
        {kCustomPage, Through(kSetupTypePage) + "click #1001\nkey Return\nwait-window #14\n"},
    };
    for (const auto& [page, start] : pages) {
        const std::string again = "wait-window #" + std::to_string(page) + "\n";
        ASSERT_EQ(RunSetup(start + "key Escape\n" + kBox + "key N\n" + again + "key Escape\n" +
                           kBox + "key Y\nsleep 5000\n"),
                  kCancelledStatus)
            << "page " << page << ": " << output;
        ExpectNothingInstalled();
    }
}

TEST_F(SmallDiskTest, TheDiskSpaceQuestionKeepsThePageOnNoAndGoesOnOnYes) {
    const std::string script = Through(kSetupTypePage) + "key Return\n" + kBox +
                               "screenshot space.png\nkey N\nwait-window #13\nkey Return\n" + kBox +
                               "key Y\nwait-window #15 60000\nclick #1100\n";
    ASSERT_EQ(RunSetup(script), 0) << output;
    EXPECT_TRUE(fs::exists(root / "space.png"));
    EXPECT_TRUE(fs::exists(Product("Orrery.exe")));
}

TEST_F(SetupProgramTest, ADamagedVolumeEndsTheSetupWithTheWorkersMessage) {
    const fs::path volume = medium / "Setup files/archive1.zkiv";
    fs::resize_file(volume, fs::file_size(volume) / 2);
    const std::string script = Through(kSetupTypePage) + "key Return\n" + kBox +
                               "screenshot damaged.png\nkey Return\nsleep 5000\n";
    ASSERT_EQ(RunSetup(script), kFailedStatus) << output;
    EXPECT_TRUE(fs::exists(root / "damaged.png"));
    EXPECT_FALSE(fs::exists(Staging()));
    EXPECT_FALSE(fs::exists(Product("Docs/readme.txt"))) << "the damaged package is not there";
    EXPECT_TRUE(fs::exists(Product(".uninstallinfos.log")))
        << "what was installed before the failure is recorded for the uninstaller";
}

TEST_F(InUseTest, YesToTheRestartReplacesTheLibrary) {
    HoldLibrary();
    ASSERT_EQ(RunSetup(Through(kSetupTypePage) + "key Return\n" + kBox +
                       "screenshot question.png\nsleep 300\nkey Y\nsleep 5000\n"),
              0)
        << output;
    EXPECT_NE(Library(), kOld) << "the restart put the new library in place";
    EXPECT_TRUE(fs::exists(Product("Orrery.exe")));
    EXPECT_FALSE(fs::exists(Staging()));
}

TEST_F(InUseTest, NoToTheRestartSkipsTheCompletionPage) {
    HoldLibrary();
    ASSERT_EQ(RunSetup(Through(kSetupTypePage) + "key Return\n" + kBox +
                       "screenshot question.png\nkey N\nsleep 5000\n"),
              kRestartNeededStatus)
        << output;
    EXPECT_EQ(Library(), kOld) << "waits for the next restart";
    EXPECT_FALSE(fs::exists(
        machine.DriveC("Documents and Settings/All Users/Start Menu/Programs/Startup/Orrery.LNK")))
        << "no completion page, no start-up shortcut";
    EXPECT_TRUE(fs::exists(Product(".uninstallinfos.log")));
    const KivtoolRun restart = Kivtool("machine restart");
    EXPECT_EQ(restart.status, 0) << restart.output;
    EXPECT_NE(Library(), kOld);
}

TEST_F(SetupProgramTest, TheCompletionChoicesStartTheProductAndRunTheListedPrograms) {
    const std::string script = Through(kSetupTypePage) +
                               "key Return\nwait-window #15 60000\nclick #1000\nclick #1004\n"
                               "click #1007\nclick #1100\n";
    ASSERT_EQ(RunSetup(script), 0) << output;
    EXPECT_TRUE(WaitForFile(Product("Orrery report.txt"))) << "the product was started";
    EXPECT_TRUE(WaitForFile(Product("Welcome/welcome.txt"))) << "the listed program ran";
    EXPECT_FALSE(fs::exists(
        machine.DriveC("Documents and Settings/All Users/Start Menu/Programs/Startup/Orrery.LNK")))
        << "the start-up box was unchecked";
}
