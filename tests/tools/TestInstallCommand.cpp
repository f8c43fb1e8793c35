// kivtool install, end to end: a medium made with kivtool pack (volumes, a
// setup package with config.ini, a copied folder, language folders) is
// installed on a fresh machine, and what it leaves is checked: the files,
// the system folder, the SharedDLLs counts, the registry, the uninstall
// record byte for byte; then a failing copy, a link out of the medium, a bad
// medium and a system file in use on the older family, replaced by kivtool
// machine restart.
#include "InstallCommandTest.h"

TEST_P(InstallCommandTest, InstallsTheMediumAndWritesTheUninstallRecord) {
    HKEY counts;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", &counts),
              ERROR_SUCCESS);
    const std::string target = SystemFolder() + "\\kivshared.dll";
    DWORD three = 3;
    RegSetValueExA(counts, target.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&three), 4);

    KivtoolRun run = Install("--user 'Ada Lovelace' --json");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("\"exitCode\": 0"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\"runEntries\": [\"Extras\"]"), std::string::npos) << run.output;

    EXPECT_EQ(ReadHostFile(Product("app.exe")), "#!/bin/sh\nexit 0\n");
    EXPECT_EQ(ReadHostFile(Product("Samples/a.dat")), std::string(70000, 's'));
    EXPECT_EQ(ReadHostFile(Product("Extras/tool.exe")), "tool");
    EXPECT_FALSE(fs::exists(Product("Extras/skip.txt")));
    EXPECT_FALSE(fs::exists(Product("Manuel"))) << "a French-only component";
    EXPECT_EQ(ReadHostFile(Host(target)), Library(0x00020000));
    EXPECT_FALSE(fs::exists(Host(Staging()))) << "the staging folder is removed";

    DWORD count = 0, size = 4;
    RegQueryValueExA(counts, target.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&count),
                     &size);
    EXPECT_EQ(count, 4u);
    RegCloseKey(counts);

    KivtoolRun exported = RunKivtool("reg export --utf8 'HKEY_LOCAL_MACHINE\\Software\\Kiv test'",
                                     Environment(), true);
    EXPECT_NE(
        exported.output.find("\"InstallDir\"=\"C:\\\\Program Files\\\\Kiv software\\\\Talvic\""),
        std::string::npos)
        << exported.output;
    EXPECT_NE(exported.output.find("\"User\"=\"Ada Lovelace\""), std::string::npos);
    EXPECT_NE(exported.output.find("\"Build\"=dword:00000107"), std::string::npos);

    const std::string staging = Staging();
    const std::string expected = "files 8\r\n" +                                            //
                                 kBase + "\\\\app.exe\r\n" + kBase + "\\\\readme.txt\r\n" + //
                                 staging + "\\\\kivshared.dll\r\n" +                        //
                                 kBase + "\\Samples\\a.dat\r\n" +                           //
                                 kBase + "\\Extras\\notes.txt\r\n" +                        //
                                 kBase + "\\Extras\\tool.exe\r\n" +                         //
                                 kBase + "\\Settings\r\n" + /* the description's extra file */
                                 kBase + "\\.uninstallinfos.values\r\n" +           // kept beside
                                 "folders 4\r\n" +                                  //
                                 kBase + "\\\r\n" + staging + "\\\r\n" +            //
                                 kBase + "\\Samples\r\n" + kBase + "\\Extras\r\n" + //
                                 "regkeys 1\r\n"                                    //
                                 "HKEY_LOCAL_MACHINE\\Software\\Kiv test\\Talvic Studio\r\n"
                                 "longappname\r\nTalvic\r\n";
    EXPECT_EQ(ReadHostFile(Product(".uninstallinfos.log")), expected);
}

TEST_P(InstallCommandTest, AFailingCopyStopsWithTheEntrysMessage) {
    fs::create_directories(Product("Extras/tool.exe")); // a folder where the file goes
    KivtoolRun run = Install();
    EXPECT_EQ(run.status, 1603 & 0xFF) << run.output;
    EXPECT_NE(run.output.find("Extras"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("exit code       1603"), std::string::npos) << run.output;
    EXPECT_TRUE(fs::exists(Product("app.exe"))) << "what was installed before stays";
    EXPECT_NE(ReadHostFile(Product(".uninstallinfos.log")).find("app.exe"), std::string::npos);
}

// The copied folder may link within the medium, never out of it: the link
// out is named, and what it leads to is left alone.
TEST_P(InstallCommandTest, ACopiedLinkOutOfTheMediumFailsNamingIt) {
    WriteHostFile(medium / "shared.txt", "shared");
    fs::create_symlink("../shared.txt", medium / "Extras/inside.txt");
    WriteHostFile(work / "private.txt", "private");
    fs::create_symlink(work / "private.txt", medium / "Extras/outside.txt");
    KivtoolRun run = Install();
    EXPECT_EQ(run.status, 1603 & 0xFF) << run.output;
    const std::string link = PathMap::ToWindows((medium / "Extras/outside.txt").string());
    EXPECT_NE(run.output.find("the link " + link + " leads outside the medium"), std::string::npos)
        << run.output;
    EXPECT_EQ(ReadHostFile(Product("Extras/inside.txt")), "shared");
    EXPECT_FALSE(fs::exists(Product("Extras/outside.txt")));
    EXPECT_EQ(ReadHostFile(work / "private.txt"), "private");
}

TEST_P(InstallCommandTest, BadMediaAndBadChoicesFailAndSayWhy) {
    KivtoolRun run = RunKivtool("install", Environment());
    EXPECT_EQ(run.status, 2);
    run = Install("--type fancy");
    EXPECT_EQ(run.status, 2);
    run = Install("--components Nothing");
    EXPECT_EQ(run.status, 1603 & 0xFF);
    EXPECT_NE(run.output.find("Nothing"), std::string::npos) << run.output;

    fs::remove(files / "archive2.zkiv");
    run = Install();
    EXPECT_EQ(run.status, 1603 & 0xFF);
    EXPECT_NE(run.output.find("archive2.zkiv"), std::string::npos) << run.output;

    fs::remove(files / "archive.zkiv");
    run = Install();
    EXPECT_EQ(run.status, 1603 & 0xFF);
    EXPECT_NE(run.output.find("archive.zkiv is missing"), std::string::npos) << run.output;
}

// A newer system library over one that another program holds: scheduled for
// the next restart, which kivtool machine restart carries out.
TEST_P(InstallCommandTest, ASystemFileInUseIsReplacedAtTheRestart) {
    const std::string target = SystemFolder() + "\\kivshared.dll";
    WriteHostFile(Host(target), Library(0x00010000));
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    KivtoolRun run = Install();
    CloseHandle(held);
    EXPECT_EQ(run.status, 3010 & 0xFF) << run.output;
    EXPECT_NE(run.output.find("restart needed  yes"), std::string::npos) << run.output;
    EXPECT_EQ(ReadHostFile(Host(target)), Library(0x00010000));

    KivtoolRun restart = RunKivtool("machine restart", Environment());
    EXPECT_EQ(restart.status, 0) << restart.output;
    EXPECT_EQ(ReadHostFile(Host(target)), Library(0x00020000));
    int copies = 0;
    for (const auto& entry : fs::directory_iterator(Host(SystemFolder())))
        copies += entry.path().filename().string().find("kivshared") != std::string::npos;
    EXPECT_EQ(copies, 1) << "the copy made for the restart is gone";
}

// Ctrl-C while a large member is unpacked cancels as the setup's Cancel does:
// exit code 1602, the member cut, no registry keys, the record of what was
// installed so far written, the staging folder gone.
TEST_P(InstallCommandTest, CtrlCCancelsTheInstallation) {
    WriteHostFile(work / "samples/big.bin", std::string(64u << 20, '\0'));
    auto packed = Pack(files / "archive2.zkiv", "samples='" + (work / "samples").string() + "'");
    ASSERT_EQ(packed["samples"], "4");
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(output[1], STDOUT_FILENO);
        dup2(output[1], STDERR_FILENO);
        close(output[0]);
        setenv("KIV_MACHINE", root.c_str(), 1);
        execl(KIVTOOL_PATH, "kivtool", "install", medium.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(output[1]);
    std::string text;
    char buffer[4096];
    bool interrupted = false;
    for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(got));
        if (!interrupted && text.find("installing Samples") != std::string::npos)
            interrupted = kill(child, SIGINT) == 0;
    }
    close(output[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << text;
    EXPECT_EQ(WEXITSTATUS(status), 1602 & 0xFF) << text;
    EXPECT_NE(text.find("exit code       1602"), std::string::npos) << text;
    // The cancel is seen before big.bin begins or while it is written.
    const std::string big = Product("Samples/big.bin");
    EXPECT_TRUE(!fs::exists(big) || fs::file_size(big) < (64u << 20));
    EXPECT_FALSE(fs::exists(Product("Extras"))) << "nothing after the cancel";
    EXPECT_NE(ReadHostFile(Product(".uninstallinfos.log")).find("Talvic\\\\app.exe"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(Host(Staging())));
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Kiv test", 0, KEY_READ, &key),
              ERROR_SUCCESS);
}

// Option 3 makes the program group in the all-users and the user's Programs
// folder; --startup-shortcut adds the completion page's start-up shortcut,
// which the uninstall record lists. The links are real .LNK files.
TEST_P(InstallCommandTest, ProgramGroupsAndTheStartupShortcut) {
    KivtoolRun run = Install("--startup-shortcut");
    ASSERT_EQ(run.status, 0) << run.output;
    std::vector<fs::path> links;
    for (const auto& entry : fs::recursive_directory_iterator(machine->DriveC()))
        if (entry.path().extension() == ".LNK")
            links.push_back(entry.path());
    ASSERT_EQ(links.size(), 3u) << "two groups and the Startup folder";
    for (const fs::path& link : links) {
        KivtoolRun shown = RunKivtool("lnk show '" + link.string() + "'", Environment());
        EXPECT_EQ(shown.status, 0) << shown.output;
        EXPECT_NE(shown.output.find(kBase + "\\app.exe"), std::string::npos) << shown.output;
    }
    const std::string record = ReadHostFile(Product(".uninstallinfos.log"));
    EXPECT_EQ(record.rfind("files 9\r\n", 0), 0u) << record;
    EXPECT_NE(record.find("Startup\\app.LNK\r\n"), std::string::npos) << record;
}

// A custom installation without the program makes no link to it, neither in
// the groups nor in the Startup folder, and says so once for each link.
TEST_P(InstallCommandTest, LinksToAProgramNotInstalledAreLeftOutAndReported) {
    KivtoolRun run = Install("--components Samples --startup-shortcut");
    ASSERT_EQ(run.status, 0) << run.output;
    for (const auto& entry : fs::recursive_directory_iterator(machine->DriveC()))
        EXPECT_NE(entry.path().extension(), ".LNK") << entry.path();
    const std::string group =
        "Talvic Studio.LNK was left out: its target " + kBase + "\\app.exe was not installed";
    EXPECT_NE(run.output.find(group), std::string::npos) << run.output;
    const std::string startup = "Startup\\app.LNK was left out";
    const std::size_t first = run.output.find(startup);
    EXPECT_NE(first, std::string::npos) << run.output;
    EXPECT_EQ(run.output.find(startup, first + 1), std::string::npos) << "told once" << run.output;
    EXPECT_EQ(ReadHostFile(Product(".uninstallinfos.log")).find("app.LNK"), std::string::npos);
}

// A shortcut's target in a sub-folder of its entry's folder is linked as
// written, and the shortcuts after it are made too; the uninstallation
// takes both links, which lead into the product.
TEST_P(InstallCommandTest, AShortcutIntoASubFolderIsMade) {
    EditConfig("Shortcuts 1", "Shortcuts 2\nShortcut Extras\\tool.exe Tool 0");
    KivtoolRun run = Install();
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output.find("program group could not be created"), std::string::npos)
        << run.output;
    std::vector<fs::path> tools;
    for (const auto& entry : fs::recursive_directory_iterator(machine->DriveC()))
        if (entry.path().filename() == "Tool.LNK") {
            tools.push_back(entry.path());
            EXPECT_TRUE(fs::exists(entry.path().parent_path() / "Talvic Studio.LNK"));
            const KivtoolRun shown = RunKivtool("lnk show '" + entry.path().string() + "'");
            EXPECT_NE(shown.output.find(kBase + "\\Extras\\tool.exe"), std::string::npos)
                << shown.output;
        }
    EXPECT_FALSE(tools.empty());

    EXPECT_EQ(RunKivtool("uninstall '" + kBase + "'", Environment()).status, 0);
    for (const fs::path& link : tools)
        EXPECT_FALSE(fs::exists(link.parent_path())) << link;
}

// The round trip: install with program groups and the start-up shortcut,
// then uninstall; the drive and the registry are the fresh machine's again,
// but for the DONTUNINSTALL key; the shared library, new and so counted once,
// goes with its one use. A file of the user's own survives with its folder.
TEST_P(InstallCommandTest, UninstallLeavesTheMachineAsItWas) {
    const std::string drive = machine->DriveC();
    const auto before = DriveListing(drive);
    const std::string registryBefore = RunKivtool("reg export --utf8", Environment(), true).output;
    ASSERT_EQ(Install("--startup-shortcut").status, 0);
    ASSERT_TRUE(fs::exists(Product("app.exe")));

    KivtoolRun removed = RunKivtool("uninstall '" + kBase + "'", Environment());
    EXPECT_EQ(removed.status, 0) << removed.output;
    EXPECT_EQ(DriveListing(drive), before) << removed.output;
    RunKivtool("reg delete 'HKEY_CURRENT_USER\\Software\\Kiv test'", Environment());
    EXPECT_EQ(RunKivtool("reg export --utf8", Environment(), true).output, registryBefore);

    ASSERT_EQ(Install().status, 0);
    WriteHostFile(Product("Samples/mine.txt"), "mine");
    EXPECT_EQ(RunKivtool("uninstall '" + kBase + "'", Environment()).status, 0);
    EXPECT_EQ(ReadHostFile(Product("Samples/mine.txt")), "mine");
    EXPECT_FALSE(fs::exists(Product("app.exe")));
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, InstallCommandTest,
                         ::testing::Values(PlatformFamily::NT, PlatformFamily::Win9x),
                         [](const auto& info) {
                             return info.param == PlatformFamily::NT ? "NT" : "Win9x";
                         });

// The installation folder must be an absolute path on a drive of the
// machine: a relative one would install into the host's current folder and
// leave a record that can never be undone. Refused as a bad option, with
// nothing installed; so are texts too long for the setup to hold.
TEST_P(InstallCommandTest, DestinationsOffTheMachineAreRefusedAsBadOptions) {
    const std::string tooLong = "C:\\" + std::string(300, 'x');
    for (const std::string& dest :
         {std::string("rel"), std::string("Z:\\tmp\\product"),
          std::string("C:\\Program Files\\..\\Windows"), std::string("Q:\\Product"), tooLong}) {
        KivtoolRun run = Install("--dest '" + dest + "'");
        EXPECT_EQ(run.status, 2) << dest << run.output;
        EXPECT_NE(run.output.find("--dest"), std::string::npos) << run.output;
    }
    EXPECT_FALSE(fs::exists("rel"));
    KivtoolRun run = Install("--user '" + std::string(260, 'u') + "'");
    EXPECT_EQ(run.status, 2) << run.output;
    run = Install("--company '" + std::string(260, 'c') + "'");
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_FALSE(fs::exists(Product("app.exe")));
    EXPECT_FALSE(fs::exists(Host(Staging())));
}

// kivtool install makes the checks the setup type page makes and refuses as
// an unattended setup does: a drive stated too small, a folder it cannot
// write.
TEST_P(InstallCommandTest, TooLittleSpaceAndAnUnwritableFolderFailAsTheSetupDoes) {
    MachineSettings small;
    ASSERT_TRUE(Machine::LoadSettings(root.string(), &small));
    small.freeSpace['C'] = 1; // the description asks for a few hundred bytes
    ASSERT_TRUE(Machine::SaveSettings(root.string(), small));
    KivtoolRun run = Install();
    EXPECT_EQ(run.status, 1603 & 0xFF) << run.output;
    EXPECT_NE(run.output.find("There may not be enough free space"), std::string::npos)
        << run.output;
    EXPECT_FALSE(fs::exists(Product("app.exe")));
    EXPECT_FALSE(fs::exists(Product(".uninstallinfos.log")));

    small.freeSpace.clear();
    ASSERT_TRUE(Machine::SaveSettings(root.string(), small));
    WriteHostFile(machine->DriveC("Blocked"), "a file where the folder would go");
    run = Install("--dest 'C:\\Blocked\\Talvic'");
    EXPECT_EQ(run.status, 1603 & 0xFF) << run.output;
    EXPECT_NE(run.output.find("cannot be created or written"), std::string::npos) << run.output;
}

// An entry whose destination leaves the installation folder is refused
// before anything is installed, whatever the medium says.
TEST_P(InstallCommandTest, AnEntryLeavingTheInstallationFolderIsRefused) {
    EditConfig("Samples \"\" Samples", "Samples \"\" ..\\..\\..\\Windows");
    KivtoolRun run = Install();
    EXPECT_EQ(run.status, 1603 & 0xFF) << run.output;
    EXPECT_NE(run.output.find("leaves the installation folder"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(Product("app.exe")));
    EXPECT_FALSE(fs::exists(machine->DriveC("Windows/a.dat")));
}
