// The setup program unattended (Setup.exe /S), with response files, and the
// choices of a normal run recorded (/RECORD) and replayed on a second fresh
// machine. The pages run headless with the response: what a person could
// not have given is refused with the setup's own message, and every exit
// code a deploying script relies on is reached.
#include "SetupProgramTest.h"
#include "engine/InstallMutex.h"

using namespace setup_test;

namespace {

class UnattendedTest : public SetupProgramTest {
protected:
    // Writes the response file into C:\ and runs Setup.exe /S with it.
    int RunResponse(const std::string& response, const std::string& more = "") {
        WriteHostFile(machine.DriveC("response.ini"), response);
        return RunSetupOn(root, "/S '/RESPONSE=C:\\response.ini' " + more);
    }
};

// Everything of the product a run leaves: the files under the product's
// folder with their sizes, the product's registry keys, the program group's
// links, the uninstall record.
std::string MachineState(const TestMachine& on) {
    std::string state;
    const fs::path product = on.DriveC("Program Files/Kiv software/Orrery");
    std::vector<std::string> files;
    if (fs::exists(product))
        for (const auto& entry : fs::recursive_directory_iterator(product))
            files.push_back(
                fs::relative(entry.path(), product).string() +
                (entry.is_regular_file() ? " " + std::to_string(entry.file_size()) : ""));
    const fs::path menu = on.DriveC("Documents and Settings");
    for (const auto& entry : fs::recursive_directory_iterator(menu))
        if (entry.path().extension() == ".LNK")
            files.push_back(fs::relative(entry.path(), menu).string());
    std::sort(files.begin(), files.end());
    for (const std::string& file : files)
        state += file + "\n";
    for (const char* key : {"HKEY_LOCAL_MACHINE\\Software\\Kiv software",
                            "HKEY_CURRENT_USER\\Software\\Kiv software"})
        state += RunKivtool(std::string("reg export --utf8 '") + key + "'",
                            "KIV_MACHINE='" + on.Root() + "'")
                     .output;
    state += ReadHostFile(product / ".uninstallinfos.log");
    return state;
}

} // namespace

TEST_F(UnattendedTest, WithoutAResponseTheDefaultsInstallTypicalAndShowNothing) {
    ASSERT_EQ(RunSetupOn(root, "/S"), 0) << output;
    EXPECT_TRUE(fs::exists(Product("Orrery.exe")));
    EXPECT_TRUE(fs::exists(Product("Docs/readme.txt")));
    EXPECT_FALSE(fs::exists(Product("Samples"))) << "Typical leaves the samples out";
    EXPECT_NE(ProductKey().find("C:\\Program Files\\Kiv software\\Orrery"), std::string::npos);
    EXPECT_FALSE(fs::exists(Product("Orrery report.txt"))) << "the product was not started";
    EXPECT_FALSE(fs::exists(Staging()));
    EXPECT_EQ(output, "") << "no message on the way";
}

TEST_F(UnattendedTest, AResponseChoosesLanguageUserTypeFolderAndComponents) {
    ASSERT_EQ(RunResponse("# a custom installation\n"
                          "Language = german\nUser = Ada Lovelace\nCompany = Engines Ltd\n"
                          "SetupType = Custom\nFolder = C:\\Apps\\Orrery\n"
                          "Components = program, Library, Handbuch\nStartupShortcut = no\n"),
              0)
        << output;
    const fs::path folder = machine.DriveC("Apps/Orrery");
    EXPECT_TRUE(fs::exists(folder / "Orrery.exe"));
    EXPECT_TRUE(fs::exists(folder / "Docs/Handbuch.html"))
        << "the German manual, offered in German";
    EXPECT_FALSE(fs::exists(folder / "Docs/readme.txt")) << "Documentation was left out";
    EXPECT_FALSE(fs::exists(folder / "Charts"));
    const std::string key = ProductKey();
    EXPECT_NE(key.find("Ada Lovelace"), std::string::npos) << key;
    EXPECT_NE(key.find("C:\\Apps\\Orrery"), std::string::npos) << key;
    EXPECT_NE(Kivtool("reg export --utf8 'HKEY_CURRENT_USER\\Software\\Kiv software'")
                  .output.find("German"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(
        machine.DriveC("Documents and Settings/All Users/Start Menu/Programs/Startup/Orrery.LNK")));
}

TEST_F(UnattendedTest, TheFolderAndLanguageOfTheCommandLineGoOverTheResponse) {
    ASSERT_EQ(RunResponse("Folder = C:\\Elsewhere\nLanguage = French\n",
                          "'/D=C:\\Tools\\Orrery' /LANG=German"),
              0)
        << output;
    EXPECT_TRUE(fs::exists(machine.DriveC("Tools/Orrery/Orrery.exe")));
    EXPECT_TRUE(fs::exists(machine.DriveC("Tools/Orrery/Docs/Handbuch.html")));
    EXPECT_FALSE(fs::exists(machine.DriveC("Elsewhere")));
}

// Each response names what no person could have chosen on the pages: the
// page's own check refuses it, the setup ends with 1603 and names why, and
// nothing of the product is left.
TEST_F(UnattendedTest, AResponseNoPersonCouldGiveFailsWithItsReasonAndInstallsNothing) {
    WriteHostFile(machine.DriveC("blocker"), "a file where a folder would go");
    const std::pair<std::string, std::string> cases[] = {
        {"SetupType = Custom\nComponents = Program, Telescope\n", "\"Telescope\" is not offered"},
        {"Language = Japanese\nSetupType = Custom\nComponents = Handbuch\n",
         "\"Handbuch\" is not offered"},
        {"SetupType = Portable\n", "setup type \"Portable\" is not offered"},
        {"Folder = C:\\blocker\\Orrery\n", "setup type page refused the response"},
    };
    for (const auto& [response, reason] : cases) {
        EXPECT_EQ(RunResponse(response, "'/LOG=C:\\refused.log'"), kFailedStatus)
            << response << output;
        EXPECT_NE(output.find(reason), std::string::npos) << response << output;
        ExpectNothingInstalled();
        const std::string log = ReadHostFile(machine.DriveC("refused.log"));
        EXPECT_NE(log.find("\"result\": \"refused\""), std::string::npos) << log;
        EXPECT_NE(log.find("The response was refused"), std::string::npos) << log;
    }
}

// A folder off the machine's drives (relative to the host's current folder,
// on Z:, or climbing out through "..") is refused by the page's check, from
// /D as from a response, before anything is written.
TEST_F(UnattendedTest, AFolderOffTheMachineIsRefusedWithNothingWritten) {
    for (const char* folder : {"rel", "Z:\\dev", "C:\\Program Files\\..\\Windows\\Orrery"}) {
        EXPECT_EQ(RunSetupOn(root, std::string("/S '/D=") + folder + "'"), kFailedStatus)
            << folder << output;
        ExpectNothingInstalled();
        EXPECT_EQ(RunResponse(std::string("Folder = ") + folder + "\n"), kFailedStatus)
            << folder << output;
        ExpectNothingInstalled();
    }
    EXPECT_FALSE(fs::exists("rel"));
    EXPECT_FALSE(fs::exists(machine.DriveC("Windows/Orrery")));
}

// The setup holds the machine's installation lock for its whole run: while
// another installation holds it, a second setup waits, then ends with 1618
// having written nothing.
TEST_F(UnattendedTest, ASecondSetupWaitsForTheLockThenEndsWith1618) {
    InstallMutex first;
    ASSERT_EQ(first.Acquire(0), InstallMutex::kHeld);
    EXPECT_EQ(RunSetupOn(root, "/S"), 1618 & 0xFF) << output;
    EXPECT_NE(output.find("Another installation is in progress"), std::string::npos) << output;
    ExpectNothingInstalled();
    first.Release();
    EXPECT_EQ(RunSetupOn(root, "/S"), 0) << output;
}

TEST_F(UnattendedTest, ABadCommandLineOrResponseFileFailsBeforeTheSetupBegins) {
    EXPECT_EQ(RunResponse("Language = English\nColour = blue\n"), kFailedStatus);
    EXPECT_NE(output.find("C:\\response.ini: line 2: unknown key \"Colour\""), std::string::npos)
        << output;
    EXPECT_EQ(RunResponse("Launch = perhaps\n"), kFailedStatus);
    EXPECT_NE(output.find("line 1: Launch takes yes or no"), std::string::npos) << output;
    EXPECT_EQ(RunSetupOn(root, "/S /LANG=Klingon"), kFailedStatus);
    EXPECT_NE(output.find("unknown language \"Klingon\""), std::string::npos) << output;
    EXPECT_EQ(RunSetupOn(root, "/S /QUIET"), kFailedStatus);
    EXPECT_NE(output.find("unknown option \"/QUIET\""), std::string::npos) << output;
    EXPECT_EQ(RunSetupOn(root, "/S '/RESPONSE=C:\\missing.ini'"), kFailedStatus);
    ExpectNothingInstalled();
}

// A log that was asked for and cannot be written ends the setup at its start,
// unattended or with pages, with one message.
TEST_F(UnattendedTest, ALogThatCannotBeWrittenStopsTheSetupAtItsStart) {
    const std::string log = machine.DriveC("no/such/folder/setup.log");
    const std::string message =
        "setup: cannot write the log " + log + ": No such file or directory\n";
    EXPECT_EQ(RunSetupOn(root, "/S '/LOG=C:\\no\\such\\folder\\setup.log'"), kFailedStatus);
    EXPECT_EQ(output, message);
    ExpectNothingInstalled();
    EXPECT_EQ(RunSetup(Through(kUserPage) + "key Escape\n" + kBox + "key Y\n",
                       "'/LOG=C:\\no\\such\\folder\\setup.log'"),
              kFailedStatus);
    EXPECT_EQ(output, message);
    EXPECT_EQ(RunSetupOn(root, "/S '/LOG=Q:\\setup.log'"), kFailedStatus);
    EXPECT_EQ(output, "setup: cannot write the log Q:\\setup.log: not a path on the machine\n");
    ExpectNothingInstalled();
}

TEST_F(UnattendedTest, ADeclinedLicenceIsACancelAndADamagedVolumeAFailure) {
    EXPECT_EQ(RunResponse("Licence = decline\n"), kCancelledStatus) << output;
    ExpectNothingInstalled();
    const fs::path volume = medium / "Setup files/archive1.zkiv";
    fs::resize_file(volume, fs::file_size(volume) / 2);
    EXPECT_EQ(RunSetupOn(root, "/S '/LOG=C:\\setup.log'"), kFailedStatus) << output;
    EXPECT_NE(output.find("message: "), std::string::npos) << "the worker's message, answered";
    EXPECT_FALSE(fs::exists(Staging()));
    // The log's end says what failed and what is left, for a person.
    const std::string log = ReadHostFile(machine.DriveC("setup.log"));
    EXPECT_NE(log.find("\"event\": \"entry-failed\", \"label\": \"Documentation\""),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("\"code\": 1603"), std::string::npos) << log;
    const KivtoolRun shown = Kivtool("log show '" + machine.DriveC("setup.log") + "'");
    EXPECT_NE(shown.output.find("Summary: Installing Documentation failed: its archive volume "
                                "archive1.zkiv"),
              std::string::npos)
        << shown.output;
    EXPECT_NE(shown.output.find("kivtool uninstall"), std::string::npos) << shown.output;
}

class UnattendedSmallDiskTest : public SmallDiskTest {};

TEST_F(UnattendedSmallDiskTest, NotEnoughSpaceIsAnsweredNoAndFails) {
    ASSERT_EQ(RunSetupOn(root, "/S"), kFailedStatus) << output;
    EXPECT_NE(output.find("-> No"), std::string::npos) << output;
    EXPECT_NE(output.find("setup type page refused the response"), std::string::npos) << output;
    EXPECT_FALSE(fs::exists(Product("Orrery.exe")));
    EXPECT_FALSE(fs::exists(Staging()));
}

class UnattendedInUseTest : public InUseTest {};

TEST_F(UnattendedInUseTest, AFileInUseEndsWith3010AndTheMachineIsNotRestarted) {
    HoldLibrary("setup.done");
    const int status = RunSetupOn(root, "/S");
    WriteHostFile(root / "setup.done", "");
    ASSERT_EQ(status, kRestartNeededStatus) << output;
    EXPECT_EQ(Library(), kOld) << "the replacement waits for the next start";
    EXPECT_TRUE(fs::exists(Product("Orrery.exe")));
    EXPECT_FALSE(fs::exists(Staging()));
}

// A person goes through the pages with /RECORD (custom, two components off,
// German, another user); the recorded response replayed with /S on a second
// fresh machine leaves the same files, keys, links and record.
TEST_F(UnattendedTest, ARecordedRunReplayedOnAFreshMachineLeavesTheSameMachine) {
    const std::string script = "wait-window #17\nclick #1002\nkey Home Down Down\nkey Return\n"
                               "wait-window #10\nkey Return\nwait-window #11\nclick #1501\n"
                               "key Return\nwait-window #12\nclick #1000\nkey Control+A\n"
                               "type Grace Hopper\nkey Return\nwait-window #13\nclick #1001\n"
                               "key Return\nwait-window #14\nclick #1006\n"
                               "key Home Down Down Down space\nkey Return\n"
                               "wait-window #15 60000\nclick #1004\nclick #1100\n";
    ASSERT_EQ(RunSetup(script, "'/RECORD=C:\\recorded.ini' '/LOG=C:\\run.log'"), 0) << output;
    const std::string log = ReadHostFile(machine.DriveC("run.log"));
    EXPECT_NE(log.find("\"page\": \"custom setup\", \"result\": \"next\""), std::string::npos)
        << log;
    EXPECT_NE(log.find("\"code\": 0, \"result\": \"installed\""), std::string::npos) << log;
    const std::string recorded = ReadHostFile(machine.DriveC("recorded.ini"));
    EXPECT_NE(recorded.find("Language = German"), std::string::npos) << recorded;
    EXPECT_NE(recorded.find("User = Grace Hopper"), std::string::npos) << recorded;
    EXPECT_NE(recorded.find("SetupType = Custom"), std::string::npos) << recorded;
    EXPECT_NE(recorded.find("StartupShortcut = no"), std::string::npos) << recorded;

    TestMachine second;
    WriteHostFile(second.DriveC("recorded.ini"), recorded);
    ASSERT_EQ(RunSetupOn(second.Root(), "/S '/RESPONSE=C:\\recorded.ini'"), 0) << output;
    const std::string first = MachineState(machine);
    EXPECT_NE(first.find("Handbuch.html"), std::string::npos) << first;
    EXPECT_EQ(MachineState(second), first);
}
