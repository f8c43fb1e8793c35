// kivtool's top level: a missing or unknown command is a usage error
// (status 2, and a line saying what was wrong); --help is not.
#include "KivtoolRun.h"

#include <gtest/gtest.h>

TEST(KivCommand, MissingOrUnknownCommandIsAUsageError) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "kivtool: missing command\n"},
        {"frobnicate", "kivtool: unknown command 'frobnicate'\n"},
    };
    for (const auto& [arguments, message] : cases) {
        const KivtoolRun run = RunKivtool(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.output.rfind(message, 0), 0u) << run.output;
        EXPECT_NE(run.output.find("usage: kivtool COMMAND"), std::string::npos);
    }
    const KivtoolRun help = RunKivtool("--help", "", true);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("  config "), std::string::npos) << help.output;
}
