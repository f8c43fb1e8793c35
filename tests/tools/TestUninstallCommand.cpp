// kivtool uninstall run as a program: its exit statuses, its summary in
// text and JSON, and a folder given as a host path.
#include "KivtoolRun.h"
#include "TestMachine.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class UninstallCommandTest : public MachineTest {
protected:
    UninstallCommandTest() {
        fs::create_directories(Host("Data"));
        for (const char* name : {"talvic.exe", "Data/a.dat", "notes.txt"})
            std::ofstream(Host(name)) << "x";
    }
    std::string Host(const std::string& relative = "") const {
        return machine.DriveC("Program Files/Talvic/" + relative);
    }
    void PutRecord(const std::string& files) const {
        std::ofstream(Host(".uninstallinfos.log"), std::ios::binary)
            << files << "folders 1\r\nC:\\Program Files\\Talvic\\Data\r\nregkeys 0\r\n"
            << "longappname\r\nTalvic\r\n";
    }
    KivtoolRun Uninstall(const std::string& arguments) const {
        return RunKivtool("uninstall " + arguments, "KIV_MACHINE='" + machine.Root() + "'");
    }
};

const char kFiles[] = "files 2\r\n"
                      "C:\\Program Files\\Talvic\\talvic.exe\r\n"
                      "C:\\Program Files\\Talvic\\Data\\a.dat\r\n";

} // namespace

TEST_F(UninstallCommandTest, RemovesWhatTheRecordListsAndSaysWhatItKept) {
    PutRecord(kFiles);
    const KivtoolRun run = Uninstall("'C:\\Program Files\\Talvic'");
    EXPECT_EQ(run.status, 0) << run.output;
    // A product without registry values has no values file: nothing to say about it.
    EXPECT_EQ(run.output.rfind("removed: ", 0), 0u) << run.output;
    EXPECT_NE(run.output.find("removed: C:\\Program Files\\Talvic\\Data\n"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find(
                  "kept: C:\\Program Files\\Talvic\\notes.txt — not installed by this product"),
              std::string::npos)
        << run.output;
    EXPECT_TRUE(fs::exists(Host("notes.txt")));
    EXPECT_FALSE(fs::exists(Host("talvic.exe")) || fs::exists(Host(".uninstallinfos.log")));
    EXPECT_EQ(Uninstall("'C:\\Program Files\\Talvic'").status, 1); // nothing left to do
}

TEST_F(UninstallCommandTest, ADryRunOnAHostPathPrintsJsonAndRemovesNothing) {
    PutRecord(kFiles);
    const KivtoolRun run = Uninstall("--dry-run --json '" + Host() + "'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("\"dryRun\": true,\n  \"message\": \"\","), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("{\"path\": \"C:\\\\Program Files\\\\Talvic\\\\talvic.exe\""),
              std::string::npos)
        << run.output;
    EXPECT_TRUE(fs::exists(Host("talvic.exe")) && fs::exists(Host(".uninstallinfos.log")));
}

TEST_F(UninstallCommandTest, RefusesADamagedRecordAndAWrongCommandLineWithStatus2) {
    PutRecord("files 3\r\nC:\\Program Files\\Talvic\\talvic.exe\r\n");
    const KivtoolRun damaged = Uninstall("'C:\\Program Files\\Talvic'");
    EXPECT_EQ(damaged.status, 2);
    EXPECT_NE(damaged.output.find("nothing was removed"), std::string::npos) << damaged.output;
    EXPECT_TRUE(fs::exists(Host("talvic.exe")));
    EXPECT_EQ(Uninstall("").status, 2);
    EXPECT_EQ(Uninstall("--force 'C:\\Program Files\\Talvic'").status, 2);
    EXPECT_EQ(Uninstall("'Program Files\\Talvic'").status, 2);
}
