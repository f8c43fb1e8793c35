// Runs kivtool as a program, as a vendor's script would, and keeps what it
// printed (stdout and stderr together, or stdout alone) and its exit status.
#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>

struct KivtoolRun {
    int status = -1; // the exit status; -1 when it did not exit normally
    std::string output;
};

// arguments is shell text after "kivtool"; environment is put before it
// ("KIV_MACHINE='/tmp/x'"). stderr joins the output unless stdoutOnly.
inline KivtoolRun RunKivtool(const std::string& arguments, const std::string& environment = "",
                             bool stdoutOnly = false) {
    KivtoolRun run;
    const std::string command =
        environment + " " KIVTOOL_PATH " " + arguments + (stdoutOnly ? " 2>/dev/null" : " 2>&1");
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t got; pipe && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.output.append(buffer, got);
    const int status = pipe ? pclose(pipe) : -1;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
