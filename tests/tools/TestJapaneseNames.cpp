// A product whose folder, file, system-file and registry key names hold
// characters of code page 932 whose trail byte is the backslash (表 95 5C,
// ソ 83 5C, 能 94 5C), on a Japanese machine: installed by kivtool install
// and by the setup program, then uninstalled, leaving the fresh machine and
// a user's file beside the product's.
#include "HostFiles.h"
#include "Japanese932.h"
#include "KivtoolRun.h"
#include "TestMachine.h"

#include <filesystem>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

const std::string kFolder = "C:\\Program Files\\拡張機能";
const char kKey[] = "HKEY_LOCAL_MACHINE\\Software\\ソフト\\表";

class JapaneseNamesTest : public ::testing::Test {
protected:
    JapaneseNamesTest()
        : machine(Japanese932Settings()), root(machine.Root()), medium(root / "medium") {
        WriteHostFile(root / "product/app/App.exe", "#!/bin/sh\nexit 0\n");
        WriteHostFile(root / "product/app/能力.txt", "abilities\r\n");
        WriteHostFile(root / "product/app/表.txt", "a table\r\n");
        WriteHostFile(root / "product/system/表.dll", "library one");
        WriteHostFile(root / "product/system/ソフト.dll", "library two");
        WriteHostFile(root / "talvic.kivdist", kProject);
        const KivtoolRun built =
            Kivtool("dist build '" + (root / "talvic.kivdist").string() + "' '" + medium.string() +
                    "' --resources '" KIV_SOURCE_DIR "/resources' " +
                    "--setup-program '" KIVSETUP_PATH "'");
        EXPECT_EQ(built.status, 0) << built.output;
    }

    KivtoolRun Kivtool(const std::string& arguments) const {
        return RunKivtool(arguments, "KIV_MACHINE='" + root.string() + "'");
    }
    int RunSetup(const std::string& arguments) const {
        const std::string command = "cd '" + root.string() + "' && KIV_MACHINE='" + root.string() +
                                    "' KIV_DISPLAY=headless timeout 120 '" +
                                    (medium / "Setup.exe").string() + "' " + arguments + " > '" +
                                    (root / "setup.log").string() + "' 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    fs::path Installed(const std::string& relative) const {
        return machine.DriveC("Program Files/拡張機能/" + relative);
    }

    // Installs with install(), checks every name, then uninstalls with a
    // user's file beside the product's folder 表: all but that file goes.
    template <typename Install> void InstallsAndGoesBackToAFreshMachine(Install install) {
        const auto before = DriveListing(machine.DriveC());
        const std::string registryBefore = Kivtool("reg export").output;
        install();
        EXPECT_EQ(ReadHostFile(Installed("Program/表/能力.txt")), "abilities\r\n");
        EXPECT_EQ(ReadHostFile(Installed("Program/表/表.txt")), "a table\r\n");
        EXPECT_TRUE(fs::exists(Installed(".uninstallinfos.values")))
            << "the values file stays inside the folder";
        EXPECT_EQ(ReadHostFile(machine.DriveC("Windows/System32/表.dll")), "library one");
        EXPECT_EQ(ReadHostFile(machine.DriveC("Windows/System32/ソフト.dll")), "library two");
        EXPECT_FALSE(fs::exists(machine.DriveC("Windows/System32/.dll")));
        const KivtoolRun key = Kivtool(std::string("reg query '") + kKey + "'");
        EXPECT_NE(key.output.find(kFolder), std::string::npos) << key.output;
        const std::string counts =
            Kivtool("reg query 'HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\"
                    "CurrentVersion\\SharedDLLs'")
                .output;
        EXPECT_NE(counts.find("System32\\表.dll"), std::string::npos) << counts;
        EXPECT_NE(counts.find("System32\\ソフト.dll"), std::string::npos) << counts;

        WriteHostFile(Installed("Program/表words.txt"), "the user's own");
        const KivtoolRun removed = Kivtool("uninstall '" + kFolder + "'");
        EXPECT_EQ(removed.status, 0) << removed.output;
        EXPECT_EQ(ReadHostFile(Installed("Program/表words.txt")), "the user's own");
        fs::remove(Installed("Program/表words.txt"));
        fs::remove(Installed("Program"));
        fs::remove(Installed(""));
        EXPECT_EQ(DriveListing(machine.DriveC()), before) << removed.output;
        EXPECT_EQ(Kivtool("reg export").output, registryBefore);
    }

    static constexpr const char* kProject = "[product]\n"
                                            "company = Kiv software\n"
                                            "app-name = Talvic\n"
                                            "long-name = Talvic Studio\n"
                                            "exe-name = App\n"
                                            "version = 2.0\n"
                                            "[medium]\n"
                                            "languages = Japanese\n"
                                            "code-page = 932\n"
                                            "[folder Program]\n"
                                            "source = product/app\n"
                                            "target = Program\\表\n"
                                            "[folder System]\n"
                                            "source = product/system\n"
                                            "system = yes\n"
                                            "[component Program]\n"
                                            "folders = Program, System\n"
                                            "[setup-types]\n"
                                            "Typical = Program\n"
                                            "Compact = Program\n"
                                            "Custom = Program\n"
                                            "[registry HKEY_LOCAL_MACHINE\\Software\\ソフト\\表]\n"
                                            "value Folder = text <INSTALLDST>\n"
                                            "[options]\n"
                                            "licence-page = no\n"
                                            "full-screen = no\n";

    TestMachine machine;
    const fs::path root, medium;
};

} // namespace

TEST_F(JapaneseNamesTest, KivtoolInstallAndUninstall) {
    InstallsAndGoesBackToAFreshMachine([this] {
        const KivtoolRun run =
            Kivtool("install '" + medium.string() + "' --dest '" + kFolder + "'");
        ASSERT_EQ(run.status, 0) << run.output;
    });
}

TEST_F(JapaneseNamesTest, SetupProgramInstallAndUninstall) {
    InstallsAndGoesBackToAFreshMachine([this] {
        ASSERT_EQ(RunSetup("/S '/D=" + kFolder + "'"), 0) << ReadHostFile(root / "setup.log");
    });
}
