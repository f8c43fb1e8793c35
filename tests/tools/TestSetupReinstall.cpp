// A product installed once and set up again on the same machine: the setup
// reads back what the first installation wrote (the read-back is on by
// default in a project file) and proposes it. Its key lies under <COMPANY>,
// which is empty on a machine without a registered organisation; the
// program the setup starts is EXENAME as read back; a medium moved since the
// first installation leaves a read-back source folder that is not there.
#include "DistBuildTest.h"

#include <chrono>
#include <thread>

namespace {

class SetupReinstallTest : public DistBuildTest {
protected:
    SetupReinstallTest() {
        // Each program notes in the test's folder that it was started.
        for (const char* program : {"App", "Launcher"})
            WriteHostFile(product / "app" / (std::string(program) + ".exe"),
                          "#!/bin/sh\necho started > '" + (root / program).string() + ".ran'\n");
        std::vector<std::string> lines = Project();
        lines[29] = "[registry HKEY_LOCAL_MACHINE\\Software\\<COMPANY>\\Talvic]";
        lines[30] = "value Folder = text <INSTALLDST>\nvalue User = text <USERNAME>\n"
                    "value Company = text <COMPANY>\nvalue Source = text <INSTALLSRC>\n"
                    "value Program = text <EXENAME>";
        lines.push_back("startup-link = yes"); // in [options]
        const KivtoolRun built = Kivtool(
            "dist build '" + WriteProject(lines).string() + "' '" + medium.string() +
            "' --setup-program '" KIVSETUP_PATH "' --resources '" KIV_SOURCE_DIR "/resources'");
        EXPECT_EQ(built.status, 0) << built.output;
    }

    // Runs the medium's Setup.exe unattended with a response (none when
    // empty); its exit status, with what it printed in output.
    int Setup(const std::string& response, const fs::path& from) {
        std::string arguments = "/S";
        if (!response.empty()) {
            WriteHostFile(machine.DriveC("response.ini"), response);
            arguments += " '/RESPONSE=C:\\response.ini'";
        }
        const std::string command = "KIV_MACHINE='" + machine.Root() +
                                    "' KIV_DISPLAY=headless timeout 120 '" +
                                    (from / "Setup.exe").string() + "' " + arguments + " > '" +
                                    (root / "setup.out").string() + "' 2>&1";
        const int status = std::system(command.c_str());
        output = ReadHostFile(root / "setup.out");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // The product's key: "Software\<COMPANY>\Talvic" with <COMPANY> empty.
    std::string ProductKey() const {
        return Kivtool("reg export --utf8 'HKEY_LOCAL_MACHINE\\Software\\Talvic'").output;
    }

    const fs::path medium = root / "medium";
    std::string output;
};

bool WaitForFile(const fs::path& path) {
    for (int i = 0; i < 300 && !fs::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return fs::exists(path);
}

} // namespace

// The first installation chose a user and a folder; the reinstallation,
// given no answers, takes them from the product's key (an empty level in
// its path and all) instead of the machine's owner and the default folder.
TEST_F(SetupReinstallTest, AReinstallProposesTheEarlierUserCompanyAndFolder) {
    ASSERT_EQ(Setup("User = Ada Lovelace\nFolder = C:\\Apps\\Talvic\n", medium), 0) << output;
    std::string key = ProductKey();
    ASSERT_NE(key.find("\"User\"=\"Ada Lovelace\""), std::string::npos) << key;
    ASSERT_NE(key.find("\"Company\"=\"\""), std::string::npos) << key;

    ASSERT_EQ(Setup("", medium), 0) << output;
    EXPECT_FALSE(fs::exists(machine.DriveC("Program Files/Kiv software/Talvic")))
        << "the default folder is not used";
    EXPECT_TRUE(fs::exists(machine.DriveC("Apps/Talvic/App.exe")));
    key = ProductKey();
    EXPECT_NE(key.find("\"User\"=\"Ada Lovelace\""), std::string::npos) << key;
    EXPECT_NE(key.find("\"Company\"=\"\""), std::string::npos) << key;
    EXPECT_NE(key.find("\"Folder\"=\"C:\\\\Apps\\\\Talvic\""), std::string::npos) << key;
}

// An earlier version named its program Launcher: EXENAME, read back, names
// the program the setup starts and the start-up shortcut leads to.
TEST_F(SetupReinstallTest, TheProductStartedIsTheReadBackProgram) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\Talvic", &key), ERROR_SUCCESS);
    RegSetValueExA(key, "Program", 0, REG_SZ, reinterpret_cast<const BYTE*>("Launcher"), 9);
    RegCloseKey(key);
    ASSERT_EQ(Setup("Launch = yes\nStartupShortcut = yes\n", medium), 0) << output;
    EXPECT_TRUE(WaitForFile(root / "Launcher.ran")) << output;
    EXPECT_FALSE(fs::exists(root / "App.ran"));
    const fs::path startup =
        machine.DriveC("Documents and Settings/All Users/Start Menu/Programs/Startup");
    EXPECT_FALSE(fs::exists(startup / "App.LNK"));
    const KivtoolRun shown = Kivtool("lnk show '" + (startup / "Launcher.LNK").string() + "'");
    EXPECT_NE(shown.output.find("C:\\Program Files\\Kiv software\\Talvic\\Launcher.exe"),
              std::string::npos)
        << shown.output;
}

// The medium was moved after the first installation: the read-back source
// folder is not there any more, and the copied entry fails by name, in the
// setup as in kivtool install, instead of installing nothing as a success.
TEST_F(SetupReinstallTest, AMovedMediumFailsTheCopiedEntry) {
    ASSERT_EQ(Setup("", medium), 0) << output;
    const fs::path moved = root / "moved";
    fs::rename(medium, moved);
    EXPECT_EQ(Setup("", moved), 1603 & 0xFF) << output;
    EXPECT_NE(output.find("The files of Extras could not be copied"), std::string::npos) << output;

    const KivtoolRun run = Kivtool("install '" + moved.string() + "'");
    EXPECT_EQ(run.status, 1603 & 0xFF) << run.output;
    EXPECT_NE(run.output.find("could not be copied"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("its source folder " + PathMap::ToWindows(medium.string()) +
                              "\\Extras is not there"),
              std::string::npos)
        << run.output;
}
