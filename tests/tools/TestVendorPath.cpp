// A vendor's path end to end: kivtool dist init on a product folder, the
// project file edited by hand, kivtool dist build, the medium's Setup.exe
// run unattended with a response file on a fresh machine, and kivtool
// uninstall, after which the machine is as it was before.
#include "DistBuildTest.h"

namespace {

// Replaces the line of the project that starts with key.
void SetLine(std::string* project, const std::string& key, const std::string& line) {
    const std::size_t at = project->find("\n" + key);
    ASSERT_NE(at, std::string::npos) << key;
    project->replace(at + 1, project->find('\n', at + 1) - at - 1, line);
}

} // namespace

TEST_F(DistBuildTest, InitEditBuildUnattendedInstallAndUninstallLeaveTheMachineAsBefore) {
    WriteHostFile(product / "Talvic.exe", "#!/bin/sh\nexit 0\n");
    const fs::path project = root / "talvic.kivdist";
    ASSERT_EQ(Kivtool("dist init '" + product.string() + "' -o '" + project.string() + "'").status,
              0);
    std::string text = ReadHostFile(project);
    SetLine(&text, "company =", "company = Kiv software");
    SetLine(&text, "app-name =", "app-name = Talvic");
    SetLine(&text, "long-name =", "long-name = Talvic Studio 2");
    text += "[registry HKEY_LOCAL_MACHINE\\Software\\Kiv software\\Talvic]\n"
            "value Folder = text <INSTALLDST>\nvalue User = text <USERNAME>\n";
    WriteHostFile(project, text);
    const fs::path medium = root / "medium";
    const KivtoolRun built = Kivtool("dist build '" + project.string() + "' '" + medium.string() +
                                     "' --setup-program '" KIVSETUP_PATH "'");
    ASSERT_EQ(built.status, 0) << built.output;

    const std::string drive = machine.DriveC();
    const auto before = DriveListing(drive, "\n");
    const std::string registry = Kivtool("reg export --utf8").output;
    WriteHostFile(root / "response.ini",
                  "User = Ada Lovelace\nSetupType = Custom\nComponents = Program, docs\n");
    const std::string command = "KIV_MACHINE='" + machine.Root() + "' '" +
                                (medium / "Setup.exe").string() +
                                "' /S '/RESPONSE=Z:" + (root / "response.ini").string() + "' > '" +
                                (root / "setup.out").string() + "' 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadHostFile(root / "setup.out");
    const std::string folder = "Program Files/Kiv software/Talvic/";
    EXPECT_TRUE(fs::exists(machine.DriveC(folder + "Talvic.exe")));
    EXPECT_TRUE(fs::exists(machine.DriveC(folder + "docs/manual.txt")));
    EXPECT_FALSE(fs::exists(machine.DriveC(folder + "extras"))) << "left out by the response";
    EXPECT_NE(Kivtool("reg export --utf8 'HKEY_LOCAL_MACHINE\\Software\\Kiv software\\Talvic'")
                  .output.find("\"User\"=\"Ada Lovelace\""),
              std::string::npos);

    const KivtoolRun removed = Kivtool("uninstall 'C:\\Program Files\\Kiv software\\Talvic'");
    EXPECT_EQ(removed.status, 0) << removed.output;
    EXPECT_EQ(DriveListing(drive, "\n"), before);
    EXPECT_EQ(Kivtool("reg export --utf8").output, registry);
}
