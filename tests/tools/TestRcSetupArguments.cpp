// kivtool rc refuses a language whose setup texts take other "%s" arguments
// than the setup gives them, naming the file and the line; the licence
// agreements are counted over all their texts together.
#include "HostFiles.h"
#include "KivtoolRun.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class RcSetupArgumentsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("kiv-rc-args-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        WriteHostFile(folder / "English/language.txt", "language = English\n");
        WriteHostFile(folder / "English/fonts.txt",
                      "0 = /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf 13 regular\n");
    }
    void TearDown() override { fs::remove_all(folder); }

    KivtoolRun Compile(const std::string& texts) const {
        WriteHostFile(folder / "English/texts.txt", texts);
        return RunKivtool("rc '" + (folder / "English").string() + "' '" +
                          (folder / "out/Setup").string() + "'");
    }
    std::string Line(int line) const {
        return (folder / "English/texts.txt").string() + ":" + std::to_string(line) + ": error: ";
    }

    fs::path folder;
};

TEST_F(RcSetupArgumentsTest, TextsWithTheirArgumentsCompile) {
    const KivtoolRun run = Compile("100 = Welcome to %s\n"
                                   "103 = 100%% done\n"
                                   "122 = Free: %s, needed: %s\n"
                                   "131 = %s is licensed\n132 = to you.\n133 = %s may\n"
                                   "144 = %s %s\n150 = %s %s\n"
                                   "1003 = Hello, %s and %d!\n");
    EXPECT_EQ(run.status, 0) << run.output;
}

TEST_F(RcSetupArgumentsTest, AWrongCountNamesTheLineOfTheText) {
    const std::pair<std::string, std::string> cases[] = {
        {"100 = Welcome\n", Line(1) + "text 100 takes 0 %s but the setup gives exactly 1 %s"},
        {"1 = OK\n121 = Cancel %s or %s?\n",
         Line(2) + "text 121 takes 2 %s but the setup gives exactly 1 %s"},
        {"122 = Only %s free\n", Line(1) + "text 122 takes 1 %s but the setup gives exactly 2 %s"},
        {"104 = %d failed\n", Line(1) + "text 104 takes %d but the setup gives exactly 1 %s"},
        {"103 = %s could not be started\n",
         Line(1) + "text 103 takes 1 %s but the setup gives exactly 0 %s"},
        {"131 = %s\n135 = %s\n143 = %s\n",
         Line(3) + "texts 131 to 143 together take 3 %s but the setup gives exactly 2 %s"},
        {"131 = %s\n137 = and\n", Line(2) +
                                      "texts 131 to 143 together take 1 %s but the setup gives "
                                      "exactly 2 %s"},
        {"144 = %s %s\n150 = %s\n",
         Line(2) + "texts 144 to 150 together take 3 %s but the setup gives exactly 4 %s"},
    };
    for (const auto& [texts, expected] : cases) {
        const KivtoolRun run = Compile(texts);
        EXPECT_EQ(run.status, 1) << texts;
        EXPECT_NE(run.output.find(expected), std::string::npos) << texts << run.output;
        EXPECT_FALSE(fs::exists(folder / "out/Setup.ers")) << texts;
    }
}

} // namespace
