// kivtool: the command-line tool for vendors and administrators.
#include "tools/kivtool/KivCommand.h"

#include <cstdio>
#include <new>

static int Usage(FILE* out) {
    std::fprintf(out, "usage: kivtool COMMAND [ARGS...]\n\ncommands:\n");
    for (const KivCommand* command : KivCommand::All())
        std::fprintf(out, "  %-10s %s\n", command->name, command->summary);
    std::fprintf(out, "\n'kivtool COMMAND --help' describes a command.\n");
    return out == stdout ? 0 : kKivUsageError;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "kivtool: missing command\n\n");
        return Usage(stderr);
    }
    if (IsHelpArgument(argv[1]))
        return Usage(stdout);
    const KivCommand* command = KivCommand::Find(argv[1]);
    if (!command) {
        std::fprintf(stderr, "kivtool: unknown command '%s'\n\n", argv[1]);
        return Usage(stderr);
    }
    // Every input is bounded by size; should memory still run out, say so
    // and fail rather than end with an abort or a result taken for empty.
    try {
        return command->run(std::vector<std::string>(argv + 2, argv + argc));
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "kivtool %s: not enough memory\n", argv[1]);
        return 1;
    }
}
