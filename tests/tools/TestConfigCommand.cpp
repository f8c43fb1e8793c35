// kivtool config check, run as a program on the example descriptions: a
// sound one is summarised with status 0, a broken one names its line and
// reason with status 1.
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace {

struct ConfigRun {
    int status = -1;
    std::string output; // stdout and stderr
};

ConfigRun Config(const std::string& arguments) {
    ConfigRun run;
    const std::string command = KIVTOOL_PATH " config " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t got; pipe && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.output.append(buffer, got);
    const int status = pipe ? pclose(pipe) : -1;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string Example(const char* name) {
    return std::string(KIV_TEST_DATA "/config/") + name;
}

} // namespace

TEST(ConfigCommand, SummarisesASoundDescription) {
    const ConfigRun run = Config("check " + Example("talvic.ini"));
    EXPECT_EQ(run.status, 0) << run.output;
    for (const char* line : {"sound setup description (format 1.10)",
                             "install entries  3 (2 packed, 1 copied; 61200 bytes for the PC)",
                             "setup types      3 (Typical, Compact, Custom)", "registry keys    2",
                             "options set      2 3 4 8 9 10 11 18 19 21 22 23 24 26 27 28"})
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
}

TEST(ConfigCommand, NamesTheLineAndReasonOfARefusal) {
    const std::pair<const char*, const char*> cases[] = {
        {"broken-index.ini",
         ": line 35: setup type 2: component index 3 is out of range: there are 3 of them\n"},
        {"broken-quote.ini",
         ": line 38: shortcut 1: a quoted text is not closed before the end of the line\n"},
        {"broken-short.ini", ": line 27: components: the file ends before the count line\n"},
        {"missing.ini", ": the file cannot be opened\n"},
    };
    for (const auto& [file, reason] : cases) {
        const ConfigRun run = Config("check " + Example(file));
        EXPECT_EQ(run.status, 1) << file;
        EXPECT_EQ(run.output, Example(file) + reason);
    }
    EXPECT_EQ(Config("check").status, 2);
    EXPECT_EQ(Config("--help").status, 0);
}
