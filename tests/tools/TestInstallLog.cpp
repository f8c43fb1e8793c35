// kivtool install --log, end to end on the test medium: the log of a whole
// installation (entries, registry keys, system files, program groups, end
// code), of one that fails on a damaged volume (the failed entry and a
// summary of what was left, which kivtool uninstall then removes), of a
// system file in use (the replacement and the restart code), and kivtool
// log show over each.
#include "InstallCommandTest.h"
#include "tools/kivtool/LogReader.h"

namespace {

class InstallLogTest : public InstallCommandTest {
protected:
    KivtoolRun InstallWithLog(const std::string& options = "") {
        return Install("--log '" + logPath + "' " + options);
    }
    std::vector<LogEvent> Events() {
        SetupLogContent log;
        SetupLogError error;
        EXPECT_TRUE(ReadSetupLog(ReadHostFile(logPath), &log, &error))
            << error.line << ": " << error.reason;
        EXPECT_FALSE(log.cut);
        return log.events;
    }
    std::vector<const LogEvent*> Named(const std::vector<LogEvent>& events, const char* name) {
        std::vector<const LogEvent*> found;
        for (const LogEvent& event : events)
            if (event.event == name)
                found.push_back(&event);
        return found;
    }
    std::string Shown() {
        KivtoolRun run = RunKivtool("log show '" + logPath + "'");
        EXPECT_EQ(run.status, 0) << run.output;
        return run.output;
    }

    // Runs kivtool install --log with a large Samples member and sends the
    // signal once it says it installs Samples; the exit status, or -1.
    int InstallAndSignal(int signal) {
        WriteHostFile(work / "samples/big.bin", std::string(64u << 20, '\0'));
        Pack(files / "archive2.zkiv", "samples='" + (work / "samples").string() + "'");
        int output[2];
        EXPECT_EQ(pipe(output), 0);
        const pid_t child = fork();
        if (child == 0) {
            dup2(output[1], STDOUT_FILENO);
            dup2(output[1], STDERR_FILENO);
            close(output[0]);
            setenv("KIV_MACHINE", root.c_str(), 1);
            execl(KIVTOOL_PATH, "kivtool", "install", medium.c_str(), "--log", logPath.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(output[1]);
        std::string text;
        char buffer[4096];
        bool sent = false;
        for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;) {
            text.append(buffer, static_cast<std::size_t>(got));
            if (!sent && text.find("installing Samples") != std::string::npos)
                sent = kill(child, signal) == 0;
        }
        close(output[0]);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(sent) << text;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    void SetUp() override {
        InstallCommandTest::SetUp();
        logPath = (root / "install.log").string();
    }

    std::string logPath;
};

} // namespace

TEST_P(InstallLogTest, TheLogHoldsTheEntriesKeysSystemFilesLinksAndEndCode) {
    KivtoolRun run = InstallWithLog("--user 'Ada Lovelace' --startup-shortcut");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::vector<LogEvent> events = Events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events.front().event, "start");
    EXPECT_EQ(events.front().Text("medium"), medium.string());
    EXPECT_EQ(events.front().Text("language"), "English");
    const LogJson* options = events.front().fields.Find("options");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->Find("user")->text, "Ada Lovelace");
    EXPECT_EQ(options->Find("startup-shortcut")->text, "yes");
    EXPECT_EQ(events.back().event, "end");
    EXPECT_EQ(events.back().Number("code"), 0);
    EXPECT_EQ(events.back().Text("result"), "installed");
    EXPECT_EQ(events.back().fields.Find("summary"), nullptr);

    std::vector<std::string> entries;
    for (const LogEvent* entry : Named(events, "entry"))
        entries.push_back(entry->Text("label") + " " + entry->Text("how") + " " +
                          std::to_string(entry->Number("files")) + " " +
                          std::to_string(entry->Number("bytes")) + " " + entry->Text("folder"));
    const std::vector<std::string> expected = {
        "Program packed 2 26 " + kBase,
        "System packed 1 " + std::to_string(Library(0x00020000).size()) + " " + Staging(),
        "Samples packed 1 70000 " + kBase + "\\Samples",
        "Extras copied 2 9 " + kBase + "\\Extras",
    };
    EXPECT_EQ(entries, expected);

    const auto keys = Named(events, "registry-key");
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0]->Text("key"), "HKEY_LOCAL_MACHINE\\Software\\Kiv test\\Talvic Studio");
    EXPECT_EQ(keys[1]->Text("key"), "HKEY_CURRENT_USER\\Software\\Kiv test");
    const auto system = Named(events, "system-file");
    ASSERT_EQ(system.size(), 1u);
    EXPECT_EQ(system[0]->Text("file"), SystemFolder() + "\\kivshared.dll");
    EXPECT_EQ(system[0]->Text("action"), "copied");
    EXPECT_EQ(Named(events, "program-group").size(), 2u);
    const auto links = Named(events, "shortcut");
    ASSERT_EQ(links.size(), 3u) << "two groups and the Startup folder";
    for (const LogEvent* link : links)
        EXPECT_EQ(link->Text("target"), kBase + "\\app.exe");
    EXPECT_TRUE(Named(events, "entry-failed").empty());

    const std::string shown = Shown();
    EXPECT_NE(
        shown.find("Installed Samples into " + kBase + "\\Samples: 1 file, 68.4 KB, unpacked"),
        std::string::npos)
        << shown;
    EXPECT_NE(shown.find("Result: 0 (installed)"), std::string::npos) << shown;
}

// The second volume is cut in half: Samples fails after Program and the
// staged system file; the end's summary names the entry and what was left,
// which the command it names then removes.
TEST_P(InstallLogTest, AFailedInstallationLogsTheEntryAndWhatWasLeft) {
    const fs::path volume = files / "archive2.zkiv";
    fs::resize_file(volume, fs::file_size(volume) / 2);
    KivtoolRun run = InstallWithLog();
    ASSERT_EQ(run.status, 1603 & 0xFF) << run.output;
    const std::vector<LogEvent> events = Events();
    const auto failed = Named(events, "entry-failed");
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0]->Text("label"), "Samples");
    EXPECT_NE(failed[0]->Text("reason").find("archive2.zkiv"), std::string::npos)
        << failed[0]->Text("reason");
    EXPECT_EQ(Named(events, "entry").size(), 2u) << "Program and System before it";
    EXPECT_TRUE(Named(events, "registry-key").empty());
    ASSERT_FALSE(Named(events, "message").empty()) << "the failure as the setup would show it";
    EXPECT_NE(Named(events, "message")[0]->Text("text").find("archive2.zkiv"), std::string::npos);

    const LogEvent& end = events.back();
    EXPECT_EQ(end.event, "end");
    EXPECT_EQ(end.Number("code"), 1603);
    EXPECT_EQ(end.Text("result"), "failed");
    const std::string summary = end.Text("summary");
    EXPECT_EQ(summary.rfind("Installing Samples failed: " + failed[0]->Text("reason"), 0), 0u)
        << summary;
    EXPECT_NE(summary.find("Left on the machine: 2 files and 0 registry keys of " + kBase +
                           ", listed in " + kBase +
                           "\\.uninstallinfos.log; the command "
                           "kivtool uninstall \"" +
                           kBase + "\" removes them."),
              std::string::npos)
        << summary;
    EXPECT_NE(Shown().find("Summary: " + summary), std::string::npos);

    EXPECT_EQ(RunKivtool("uninstall '" + kBase + "'", Environment()).status, 0);
    EXPECT_FALSE(fs::exists(Product("app.exe")));
}

TEST_P(InstallLogTest, ASystemFileInUseLogsItsReplacementAndTheRestartCode) {
    const std::string target = SystemFolder() + "\\kivshared.dll";
    WriteHostFile(Host(target), Library(0x00010000));
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    KivtoolRun run = InstallWithLog();
    CloseHandle(held);
    ASSERT_EQ(run.status, 3010 & 0xFF) << run.output;
    const std::vector<LogEvent> events = Events();
    const auto replacements = Named(events, "replacement");
    ASSERT_EQ(replacements.size(), 1u);
    EXPECT_EQ(replacements[0]->Text("file"), target);
    EXPECT_EQ(replacements[0]->Text("copy"), SystemFolder() + "\\kivshared.tmp");
    const auto system = Named(events, "system-file");
    ASSERT_EQ(system.size(), 1u);
    EXPECT_EQ(system[0]->Text("action"), "scheduled");
    EXPECT_EQ(events.back().Number("code"), 3010);
    EXPECT_EQ(events.back().Text("result"), "restart-needed");
}

TEST_P(InstallLogTest, SystemFilesAreLoggedByTheirVersion) {
    const std::string target = SystemFolder() + "\\kivshared.dll";
    const std::pair<std::uint32_t, const char*> cases[] = {{0x00010000, "replaced"},
                                                           {0x00030000, "kept"}};
    for (const auto& [installed, action] : cases) {
        WriteHostFile(Host(target), Library(installed));
        ASSERT_EQ(InstallWithLog().status, 0);
        const std::vector<LogEvent> events = Events();
        const auto system = Named(events, "system-file");
        ASSERT_EQ(system.size(), 1u);
        EXPECT_EQ(system[0]->Text("action"), action);
    }
}

// A description that installs no files writes its keys alone; a key under
// a root that does not exist fails them, after the one before it.
TEST_P(InstallLogTest, ARegistryOnlySetupLogsTheKeyThatFailed) {
    std::string config = ReadHostFile(work / "setup/config.ini");
    config.replace(config.find("Install 1"), 9, "Install 0");
    config.replace(config.find("[ENDREGBASE]"), 12, "[HKEY_NOWHERE\\Kiv]\nX 1 y\n[ENDREGBASE]");
    WriteHostFile(work / "setup/config.ini", config);
    Pack(files / "archive.zkiv", "--setup '" + (work / "setup").string() + "'");
    ASSERT_EQ(InstallWithLog().status, 1603 & 0xFF);
    const std::vector<LogEvent> events = Events();
    EXPECT_TRUE(Named(events, "entry").empty());
    ASSERT_EQ(Named(events, "registry-key").size(), 2u);
    const auto failed = Named(events, "registry-key-failed");
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0]->Text("key"), "HKEY_NOWHERE\\Kiv");
    EXPECT_EQ(events.back().Text("summary").rfind("Writing the registry keys failed", 0), 0u)
        << events.back().Text("summary");
}

// Ctrl-C in the large member: the entry is logged as cancelled with what it
// wrote, and the end's summary says what is left.
TEST_P(InstallLogTest, ACancelIsLoggedWithWhatWasLeft) {
    ASSERT_EQ(InstallAndSignal(SIGINT), 1602 & 0xFF);
    const std::vector<LogEvent> events = Events();
    const auto cancelled = Named(events, "entry-cancelled");
    ASSERT_EQ(cancelled.size(), 1u);
    EXPECT_EQ(cancelled[0]->Text("label"), "Samples");
    EXPECT_EQ(events.back().Number("code"), 1602);
    EXPECT_EQ(events.back().Text("result"), "cancelled");
    EXPECT_EQ(events.back().Text("summary").rfind("The installation was cancelled. Left on the "
                                                  "machine: ",
                                                  0),
              0u)
        << events.back().Text("summary");
}

// A kill leaves every line written before it: each is flushed on its own.
TEST_P(InstallLogTest, AKilledInstallationLeavesItsLinesSoFar) {
    ASSERT_EQ(InstallAndSignal(SIGKILL), -1);
    const std::vector<LogEvent> events = Events();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0].event, "start");
    EXPECT_EQ(events[1].Text("label"), "Program");
    EXPECT_EQ(events[2].Text("label"), "System");
    EXPECT_NE(Shown().find("Result: none"), std::string::npos);
}

TEST_P(InstallLogTest, ALogThatCannotBeWrittenStopsBeforeInstalling) {
    logPath = (root / "no/such/folder/install.log").string();
    KivtoolRun run = InstallWithLog();
    EXPECT_EQ(run.status, 1603 & 0xFF);
    EXPECT_EQ(run.output, "kivtool install: cannot write the log " + logPath +
                              ": No such file or directory\n"); // once, and nothing else
    EXPECT_FALSE(fs::exists(Product("app.exe")));
}

TEST_P(InstallLogTest, AStartUpFailureIsLoggedWithItsStep) {
    fs::remove(files / "archive.zkiv");
    KivtoolRun run = InstallWithLog();
    ASSERT_EQ(run.status, 1603 & 0xFF) << run.output;
    const std::vector<LogEvent> events = Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].event, "start");
    EXPECT_NE(events[1].Text("text").find("archive.zkiv is missing"), std::string::npos);
    EXPECT_EQ(events[2].Text("summary"),
              "The setup stopped while opening the main archive: Can't open an archive file. "
              "Nothing of the product was left on the machine.");
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, InstallLogTest,
                         ::testing::Values(PlatformFamily::NT, PlatformFamily::Win9x),
                         [](const auto& info) {
                             return info.param == PlatformFamily::NT ? "NT" : "Win9x";
                         });
