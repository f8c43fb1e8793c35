// The command table of kivtool. Each command group ("machine", "reg", "pack",
// "config") lives in its own file and registers itself with a static
// KivCommand object:
//
//     static KivCommand machine("machine", "create and inspect machines", RunMachine);
//
// The runner gets the arguments after the group name (args[0] is the first
// word after it) and returns the process exit status: 0 done, 1 failed,
// kKivUsageError when the command line itself is wrong.
#pragma once

#include <string>
#include <vector>

constexpr int kKivUsageError = 2;

// Reports a mistake on the command line: "kivtool GROUP: message", then the
// usage text, on stderr. Returns kKivUsageError.
int KivUsageError(const std::string& group, const std::string& message, const char* usage);

// Whether an argument asks for help: "--help" or "-h".
bool IsHelpArgument(const std::string& arg);

using KivCommandRunner = int (*)(const std::vector<std::string>& args);

class KivCommand {
public:
    KivCommand(const char* name, const char* summary, KivCommandRunner run);

    const char* name;
    const char* summary;
    KivCommandRunner run;

    // The registered commands, in name order.
    static std::vector<const KivCommand*> All();
    static const KivCommand* Find(const std::string& name);
};
