// Cancel on the progress page of the real setup program: the medium of the
// kivtool install tests with a large member, so that the installation runs
// long enough to be asked. No leaves it going to its end; Yes stops the
// worker at its next step, and the setup ends without a message, its staging
// folder gone and what it installed listed in the record.
#include "InstallCommandTest.h"

namespace {

class SetupCancelTest : public InstallCommandTest {
protected:
    void SetUp() override {
        InstallCommandTest::SetUp();
        WriteHostFile(work / "samples/big.bin", std::string(128u << 20, '\0'));
        auto packed =
            Pack(files / "archive2.zkiv", "samples='" + (work / "samples").string() + "'");
        ASSERT_EQ(packed["samples"], "4");
        fs::copy_file(KIVSETUP_PATH, medium / "Setup.exe", fs::copy_options::overwrite_existing);
        for (const char* extension : {".erf", ".erb", ".erd", ".erm", ".era", ".ers"})
            fs::copy_file(fs::path(KIV_RESOURCES_DIR) / "English" /
                              (std::string("Setup") + extension),
                          files / "Languages/English" / (std::string("Setup") + extension),
                          fs::copy_options::overwrite_existing);
    }
    int RunSetup(const std::string& script) {
        WriteHostFile(root / "run.script", script);
        const std::string command =
            "KIV_MACHINE='" + root.string() + "' KIV_DISPLAY=headless KIV_SCRIPT='" +
            (root / "run.script").string() + "' timeout 120 '" + (medium / "Setup.exe").string() +
            "' > '" + (root / "setup.log").string() + "' 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

} // namespace

// The question comes while the worker waits out its start or unpacks the
// large member, and the worker waits while it is open.
std::string ToProgressQuestion() {
    return "wait-window #12\nkey Return\nwait-window #13\nkey Return\nwait-window #16\n"
           "key Escape\nwait-window \"Cancel installation\"\n";
}

TEST_P(SetupCancelTest, NoToTheProgressPagesQuestionLetsTheInstallationGoOn) {
    ASSERT_EQ(RunSetup(ToProgressQuestion() + "key N\nwait-window #15 60000\nclick #1100\n"), 0)
        << ReadHostFile(root / "setup.log");
    EXPECT_EQ(fs::file_size(Product("Samples/big.bin")), 128u << 20);
    EXPECT_FALSE(fs::exists(Staging()));
}

TEST_P(SetupCancelTest, YesStopsTheWorkerAndTheSetupEndsWithoutAMessage) {
    ASSERT_EQ(RunSetup(ToProgressQuestion() + "key Y\nsleep 8000\n"), 1602 & 0xFF)
        << ReadHostFile(root / "setup.log");
    EXPECT_FALSE(fs::exists(Staging())) << "the staging folder goes also after a cancel";
    EXPECT_LT(fs::exists(Product("Samples/big.bin")) ? fs::file_size(Product("Samples/big.bin"))
                                                     : 0,
              128u << 20)
        << "the large member was not completed";
    // The cancel lands before the first entry or inside one: what was put in
    // place is listed for the uninstaller, and nothing else is left.
    if (fs::exists(Product(".uninstallinfos.log"))) {
        const KivtoolRun removed = RunKivtool("uninstall '" + kBase + "'", Environment());
        EXPECT_EQ(removed.status, 0) << removed.output;
    }
    std::size_t files = 0;
    if (fs::exists(Product("")))
        for (const auto& entry : fs::recursive_directory_iterator(Product("")))
            files += entry.is_regular_file();
    EXPECT_EQ(files, 0u);
}

INSTANTIATE_TEST_SUITE_P(NT, SetupCancelTest, ::testing::Values(PlatformFamily::NT));
