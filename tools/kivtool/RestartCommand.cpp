#include "tools/kivtool/RestartCommand.h"

#include "tools/kivtool/KivCommand.h"

#include "platform/Machine.h"
#include "platform/MachineRestart.h"

#include <cstdio>

namespace {

const char kRestartUsage[] =
    "usage: kivtool machine restart\n"
    "\n"
    "Does to the machine in use what a start of Windows would: carries out the\n"
    "[rename] lines of C:\\Windows\\WININIT.INI (which then becomes WININIT.BAK)\n"
    "and the replacements scheduled for the next restart (the registry value\n"
    "PendingFileRenameOperations, removed afterwards), and prints each one.\n"
    "Programs of the machine that still run are not ended: a file one of them\n"
    "holds is not replaced.\n";

const char* OriginName(RestartStep::Origin origin) {
    return origin == RestartStep::Origin::WininitIni ? "WININIT.INI" : "pending";
}

void Print(const RestartStep& step) {
    const char* origin = OriginName(step.origin);
    const char* source = step.source.c_str();
    const char* target = step.target.c_str();
    if (step.error == ERROR_SUCCESS && step.target.empty())
        std::printf("%s: deleted %s\n", origin, source);
    else if (step.error == ERROR_SUCCESS)
        std::printf("%s: moved %s to %s\n", origin, source, target);
    else if (step.target.empty())
        std::printf("%s: could not delete %s (error %u)\n", origin, source, step.error);
    else
        std::printf("%s: could not move %s to %s (error %u)\n", origin, source, target, step.error);
}

} // namespace

int RunMachineRestart(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kRestartUsage, stdout);
        return 0;
    }
    if (!args.empty())
        return KivUsageError("machine", "restart takes no arguments", kRestartUsage);
    std::string root = Machine::DefaultRoot();
    if (!Machine::Use(root)) {
        std::fprintf(stderr,
                     "kivtool machine: no machine at %s (make one with 'kivtool machine init')\n",
                     root.c_str());
        return 1;
    }
    std::vector<RestartStep> steps, skipped;
    DWORD error = MachineRestart(&steps, &skipped);
    for (const RestartStep& step : skipped)
        std::fprintf(stderr, "%s: skipped %s%s%s: it names a path off the machine's drives\n",
                     OriginName(step.origin), step.source.c_str(),
                     step.target.empty() ? "" : " -> ", step.target.c_str());
    int failed = 0;
    for (const RestartStep& step : steps) {
        Print(step);
        failed += step.error != ERROR_SUCCESS;
    }
    if (error != ERROR_SUCCESS)
        std::printf("pending: the replacements could not be read or removed (error %u%s)\n", error,
                    error == ERROR_ACCESS_DENIED ? ": the user is not an administrator" : "");
    if (skipped.empty())
        std::printf("%zu step(s), %d failed\n", steps.size(), failed);
    else
        std::printf("%zu step(s), %d failed, %zu skipped\n", steps.size(), failed, skipped.size());
    return failed == 0 && skipped.empty() && error == ERROR_SUCCESS ? 0 : 1;
}
