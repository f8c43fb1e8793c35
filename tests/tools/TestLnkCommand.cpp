// kivtool lnk show, run as a program on link files this test writes.
#include "KivtoolRun.h"
#include "platform/ShellLinkFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class LnkCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("kiv-lnk-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string WriteLink(const std::string& name, const std::vector<BYTE>& bytes) const {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    // kivtool with a machine root that does not exist: reading a link must
    // not make one.
    KivtoolRun Lnk(const std::string& arguments) const {
        return RunKivtool("lnk " + arguments,
                          "KIV_MACHINE='" + (folder / "machine").string() + "'");
    }

    fs::path folder;
};

std::vector<BYTE> SampleLink() {
    ShellLinkData link;
    link.ansiTargetPath = "C:\\Program Files\\Kiv\\caf\xe9.exe";
    link.targetPath = u"C:\\Program Files\\Kiv\\caf\u00e9.exe";
    link.description = u"Shortcut to \"caf\u00e9\"";
    return ShellLinkFile::Write(link);
}

} // namespace

TEST_F(LnkCommandTest, ShowsTargetAndDescriptionAsTextAndJson) {
    const std::string path = WriteLink("Kiv.LNK", SampleLink());
    KivtoolRun run = Lnk("show '" + path + "'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "target: C:\\Program Files\\Kiv\\caf\u00e9.exe\n"
                          "description: Shortcut to \"caf\u00e9\"\n");
    run = Lnk("show --json '" + path + "'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "{\"target\": \"C:\\\\Program Files\\\\Kiv\\\\caf\u00e9.exe\", "
                          "\"description\": \"Shortcut to \\\"caf\u00e9\\\"\"}\n");
    EXPECT_FALSE(fs::exists(folder / "machine"));
}

TEST_F(LnkCommandTest, AnAnsiOnlyTargetIsReadAsCodePage1252) {
    ShellLinkData link;
    link.ansiTargetPath = "C:\\caf\xe9.exe";
    const std::string path = WriteLink("Ansi.LNK", ShellLinkFile::Write(link));
    const KivtoolRun run = Lnk("show '" + path + "'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "target: C:\\caf\u00e9.exe\ndescription: \n");
}

TEST_F(LnkCommandTest, DamagedOrMissingFilesFailAndBadCommandLinesAreUsageErrors) {
    std::vector<BYTE> damaged = SampleLink();
    damaged.resize(damaged.size() / 2);
    const std::string path = WriteLink("Damaged.LNK", damaged);
    KivtoolRun run = Lnk("show '" + path + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("not a readable shell link"), std::string::npos) << run.output;
    EXPECT_EQ(Lnk("show '" + (folder / "none.LNK").string() + "'").status, 1);
    EXPECT_EQ(Lnk("").status, 2);
    EXPECT_EQ(Lnk("show").status, 2);
    EXPECT_EQ(Lnk("list x.LNK").status, 2);
    EXPECT_EQ(Lnk("show a.LNK b.LNK").status, 2);
    EXPECT_EQ(Lnk("show --xml a.LNK").status, 2);
    EXPECT_EQ(Lnk("--help").status, 0);
}
