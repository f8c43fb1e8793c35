// "kivtool log show": an install log (kivtool install --log, or the setup
// program's) printed for a person.
#include "tools/kivtool/KivCommand.h"
#include "tools/kivtool/LogReader.h"
#include "tools/kivtool/LogShow.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

const char kLogUsage[] =
    "usage: kivtool log show FILE\n"
    "\n"
    "Prints the install log FILE (a host file of JSON lines) for a person: one line\n"
    "per event with its time from the start, then the result and, after a failure,\n"
    "what failed and what was left on the machine. A log whose last line was cut\n"
    "off (the setup was stopped while writing it) is shown up to that line.\n"
    "Exit status: 0 shown, 1 not a readable install log, 2 usage error.\n";

int Show(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "kivtool log: cannot open %s\n", path.c_str());
        return 1;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    SetupLogContent log;
    SetupLogError error;
    if (!ReadSetupLog(bytes, &log, &error)) {
        std::fprintf(stderr, "kivtool log: %s is not an install log: line %d: %s\n", path.c_str(),
                     error.line, error.reason.c_str());
        return 1;
    }
    std::fputs(ShowSetupLog(log).c_str(), stdout);
    return 0;
}

int RunLog(const std::vector<std::string>& args) {
    if (args.size() == 1 && IsHelpArgument(args[0])) {
        std::fputs(kLogUsage, stdout);
        return 0;
    }
    if (args.size() != 2 || args[0] != "show")
        return KivUsageError("log", "expected 'show FILE'", kLogUsage);
    return Show(args[1]);
}

KivCommand logCommand("log", "show an install log for a person", RunLog);

} // namespace
