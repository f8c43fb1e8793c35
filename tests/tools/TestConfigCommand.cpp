// kivtool config check, run as a program: the example description is sound;
// a file the setup refuses names its line and reason; a file the setup reads
// but no vendor means (one mistake at a time made in the example, random
// bytes, a README) has every problem listed with its line and status 1; the
// command line's own mistakes have status 2.
#include "KivtoolRun.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>

namespace {

std::string Example(const char* name) {
    return std::string(KIV_TEST_DATA "/config/") + name;
}

KivtoolRun Config(const std::string& arguments) {
    return RunKivtool("config " + arguments);
}

// The example description with one or more mistakes made in it, in a file of
// its own.
class ConfigCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kiv-config-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        path = folder + "/edited.ini";
        std::ifstream in(Example("talvic.ini"), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        example = text.str();
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    KivtoolRun CheckText(const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
        return Config("check '" + path + "'");
    }
    // Replaces the first occurrence of from in the example.
    std::string Edited(const std::string& from, const std::string& to) {
        const std::size_t at = example.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos
                   ? example
                   : example.substr(0, at) + to + example.substr(at + from.size());
    }

    std::string folder, path, example;
};

struct Mistake {
    const char* from;
    const char* to;
    const char* problem; // expected after the file name: ":LINE: error: ..."
};

} // namespace

TEST(ConfigCommand, SummarisesASoundDescription) {
    const KivtoolRun run = Config("check " + Example("talvic.ini"));
    EXPECT_EQ(run.status, 0) << run.output;
    for (const char* line :
         {"sound setup description (format \"1.10\")",
          "install entries  3 (2 packed, 1 copied; 61200 bytes for the PC)",
          "setup types      3 (\"Typical\", \"Compact\", \"Custom\")", "registry keys    2",
          "options set      2 full screen, 3 program group, 4 offer to start, 8 start-up "
          "shortcut, 9 user page"})
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
    EXPECT_EQ(run.output.find("error"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("warning"), std::string::npos) << run.output;
}

TEST(ConfigCommand, NamesTheLineAndReasonOfARefusal) {
    const std::pair<const char*, const char*> cases[] = {
        {"broken-index.ini", ":35: error: setup type 2: component index 3 is out of range: there "
                             "are 3 of them (the setup refuses the file)\n"},
        {"broken-quote.ini", ":38: error: shortcut 1: a quoted text is not closed before the end "
                             "of the line (the setup refuses the file)\n"},
        {"broken-short.ini",
         ":27: error: components: the file ends before the count line (the setup refuses the "
         "file)\n"},
        {"missing.ini", ": error: cannot open: No such file or directory\n"},
        {"", ": error: cannot read: Is a directory\n"},
    };
    for (const auto& [file, reason] : cases) {
        const KivtoolRun run = Config("check " + Example(file));
        EXPECT_EQ(run.status, 1) << file;
        EXPECT_EQ(run.output, Example(file) + reason);
    }
}

TEST_F(ConfigCheckTest, EachMistakeIsAnErrorOnItsLine) {
    const Mistake mistakes[] = {
        {"Version         1.10", "Version 1.1", ":3: error: the format version is \"1.1\""},
        {"AppName         Talvic", "AppName \"\"", ":9: error: the application name is empty"},
        {"AppName         Talvic", "AppName Tal/vic",
         ":9: error: the application name \"Tal/vic\" holds '/'"},
        {"\"Talvic Studio\"", "\"Talvic\x01Studio\"",
         ":10: error: the long application name \"Talvic\\x01Studio\" holds the control byte 0x01"},
        {"Languages       15", "Languages 0", ":15: error: the available languages (0) name none"},
        {"Languages       15", "Languages all",
         ":15: error: header line 13: available languages is \"all\", not a number: the setup "
         "reads it as 0"},
        {"52000", "52k",
         ":22: error: install entry 0: size is \"52k\", not a number: the setup reads it as 52"},
        {"4      2      8000", "4      3      8000",
         ":24: error: volume 3 is not in the volume list, which has 2"},
        {"\"\"      Extras        \"\"", "\"\" ..\\Extras \"\"",
         ":26: error: the destination folder \"..\\Extras\" leaves the installation folder"},
        {"Samples\\\"Big Box\"", "C:\\\"Program Files\"\\Samples",
         ":24: error: the destination folder \"C:\\Program Files\\Samples\" is absolute: the setup "
         "refuses it"},
        {"Component Samples  x 15 1 { 1 }", "Component Samples x 15 0 {",
         ":30: error: component \"Samples\" lists no install entry"},
        {"Component Extras   x 3 ", "Component Extras x 16 ",
         ":31: error: component \"Extras\" applies to no language (16)"},
        {"Type Compact x 1 { 0 }", "Type Compact x 0 {",
         ":34: error: setup type \"Compact\" lists no component"},
        {"SetupTypes 3\nType Typical x 2 { 0 1 }\nType Compact x 1 { 0 }\nType Custom  x 3 { 0 1 2 "
         "}",
         "SetupTypes 0", ": error: there is no setup type"},
        {"[HKEY_CURRENT_USER", "[HKEY_CURRENT_USR",
         ":50: error: the key path \"HKEY_CURRENT_USR\\Software\\Kiv software\" does not begin "
         "with a root name"},
        {"[ENDREGBASE]", "[ENDREGBASE",
         ":52: error: this line has no bracketed key path: it ends the registry keys"},
        {"FullScreen     1", "FullScreen yes",
         ":55: error: option 2 is \"yes\", not a number: the setup reads it as 0"},
        {"UpdateMode     0", "UpdateMode 1", ":65: error: update mode is set but option 13"},
    };
    for (const Mistake& mistake : mistakes) {
        const KivtoolRun run = CheckText(Edited(mistake.from, mistake.to));
        EXPECT_EQ(run.status, 1) << mistake.to;
        EXPECT_NE(run.output.find(path + mistake.problem), std::string::npos)
            << mistake.problem << "\n"
            << run.output;
    }
}

TEST_F(ConfigCheckTest, WarningsAloneLeaveTheDescriptionSound) {
    const Mistake oddities[] = {
        {"Languages       15", "Languages 31",
         ":15: warning: the available languages hold bits beyond the four languages (16)"},
        {"predecomp       1", "pre 1", ":20: warning: header line 18 begins with \"pre\""},
        {"Type Compact", "Type compact", ":34: warning: setup type \"compact\" is never chosen"},
        // A medium shared by two platforms may hold a component of the other's.
        {"platformPC     Extras", "platformMac Extras",
         ":31: warning: component \"Extras\" lists only entries that are not for the PC"},
        {"platformPC     Extras", "platformPc Extras",
         ":31: warning: component \"Extras\" lists only entries that are not for the PC"},
    };
    for (const Mistake& oddity : oddities) {
        const KivtoolRun run = CheckText(Edited(oddity.from, oddity.to));
        EXPECT_EQ(run.status, 0) << oddity.to;
        EXPECT_NE(run.output.find(path + oddity.problem), std::string::npos)
            << oddity.problem << "\n"
            << run.output;
        EXPECT_NE(run.output.find("sound setup description"), std::string::npos);
    }
}

// A component that no setup type lists installs nothing, but for those of
// the setup's own pictures ("BillBo..."), which are unpacked whatever the
// setup type.
TEST_F(ConfigCheckTest, OnlyUnlistedProductComponentsAreWarnedAbout) {
    example = Edited("Components 3", "Components 5");
    const KivtoolRun run = CheckText(Edited("{ 2 }\n", "{ 2 }\nComponent BillBoLogos x 15 1 { 1 }\n"
                                                       "Component Unlisted x 15 1 { 1 }\n"));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find(path + ":33: warning: no setup type lists component \"Unlisted\""),
              std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find("BillBoLogos"), std::string::npos) << run.output;
}

TEST_F(ConfigCheckTest, EveryProblemIsListedAndCounted) {
    example = Edited("Version         1.10", "Version 2");
    const KivtoolRun run = CheckText(Edited("UpdateMode     0", "UpdateMode 1"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find(path + ":3: error: the format version"), std::string::npos);
    EXPECT_NE(run.output.find(path + ":65: error: update mode"), std::string::npos);
    EXPECT_NE(run.output.find(path + ": 2 errors, 0 warnings\n"), std::string::npos) << run.output;
}

TEST_F(ConfigCheckTest, FileEndingAmongTheRegistryKeysOrOptions) {
    const std::pair<std::string, std::string> cuts[] = {
        {"[ENDREGBASE]", ": error: the file ends before the \"[ENDREGBASE]\" line"},
        {"Options x 28", ": error: the file ends before the option count line"},
        {"UpdateMode", ": error: the file ends after option 11 of 28"},
    };
    for (const auto& [before, problem] : cuts) {
        const KivtoolRun run = CheckText(example.substr(0, example.find(before)));
        EXPECT_EQ(run.status, 1) << before;
        EXPECT_NE(run.output.find(path + problem), std::string::npos) << run.output;
    }
}

TEST_F(ConfigCheckTest, RandomBytesAndProseAreNoDescription) {
    std::mt19937 random(7);
    for (int sample = 0; sample < 20; ++sample) {
        std::string bytes(5000, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        EXPECT_EQ(CheckText(bytes).status, 1) << "sample " << sample;
    }
    // Prose kept as it was written once (the README changes; this must not).
    const KivtoolRun prose = Config("check " KIV_TEST_DATA "/config/prose.md");
    EXPECT_EQ(prose.status, 1);
    EXPECT_NE(prose.output.find("prose.md:1: error: the format version"), std::string::npos)
        << prose.output;
}

// The setup's reader would read a line without end for ever: the check
// reads its file only up to a stated size.
TEST(ConfigCommand, AFileWithoutEndIsRefusedBySize) {
    const KivtoolRun run = Config("check /dev/zero");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "/dev/zero: error: cannot read: larger than 16 MiB\n");
}

TEST(ConfigCommand, CommandLineMistakesHaveStatus2) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "kivtool config: missing command\n"},
        {"frob x", "kivtool config: unknown command 'frob'\n"},
        {"check", "kivtool config check: missing FILE\n"},
        {"check a.ini b.ini", "kivtool config check: one FILE only, not also 'b.ini'\n"},
        {"check -x", "kivtool config check: unknown option '-x'\n"},
    };
    for (const auto& [arguments, message] : cases) {
        const KivtoolRun run = Config(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.output.rfind(message, 0), 0u) << run.output;
    }
    for (const char* help : {"--help", "check --help", "check talvic.ini -h"}) {
        const KivtoolRun run = RunKivtool(std::string("config ") + help, "", true);
        EXPECT_EQ(run.status, 0) << help;
        EXPECT_EQ(run.output.rfind("usage: kivtool config", 0), 0u) << run.output;
    }
}

// On a Japanese machine ソフト (83 5C 83 74 83 67) is a name of three
// characters whose first ends in the backslash byte: no separator.
TEST_F(ConfigCheckTest, ADoubleByteNameHoldsNoBackslashOnAJapaneseMachine) {
    const std::string machine = folder + "/machine";
    ASSERT_EQ(RunKivtool("machine init '" + machine + "' --codepage 932").status, 0);
    std::ofstream(path, std::ios::binary)
        << Edited("AppName         Talvic", "AppName \"\x83\x5C\x83\x74\x83\x67\"");
    const KivtoolRun run =
        RunKivtool("config check '" + path + "'", "KIV_MACHINE='" + machine + "'");
    EXPECT_EQ(run.output.find(":9: error"), std::string::npos) << run.output;
}
