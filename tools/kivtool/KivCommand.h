// The command table of kivtool. Each command group ("machine", "reg", "pack",
// "config") lives in its own file and registers itself with a static
// KivCommand object:
//
//     static KivCommand machine("machine", "create and inspect machines", RunMachine);
//
// The runner gets the arguments after the group name (args[0] is the first
// word after it) and returns the process exit status.
#pragma once

#include <string>
#include <vector>

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
