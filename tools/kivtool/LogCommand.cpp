// "kivtool log show": an install log (kivtool install --log, or the setup
// program's) printed for a person.
#include "tools/kivtool/KivCommand.h"
#include "tools/kivtool/LogReader.h"
#include "tools/kivtool/LogShow.h"
#include "tools/kivtool/ReadHostFile.h"

#include <cstdio>

namespace {

const char kLogUsage[] =
    "usage: kivtool log show FILE\n"
    "\n"
    "Prints the install log FILE (a host file of JSON lines) for a person: one line\n"
    "per event with its time from the start, then the result and, after a failure,\n"
    "what failed and what was left on the machine. A log whose last line was cut\n"
    "off (the setup was stopped while writing it) is shown up to that line.\n"
    "A log over 256 MiB is refused.\n"
    "Exit status: 0 shown, 1 not a readable install log, 2 usage error.\n";

// Far more than the log of an install of a million files.
constexpr std::size_t kMaxLogBytes = std::size_t(256) << 20;

int Show(const std::string& path) {
    std::string bytes, reason;
    if (ReadHostFile(path, kMaxLogBytes, &bytes, &reason) != HostFileRead::kRead) {
        std::fprintf(stderr, "kivtool log: cannot read %s: %s\n", path.c_str(), reason.c_str());
        return 1;
    }
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
