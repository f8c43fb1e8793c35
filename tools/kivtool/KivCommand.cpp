#include "tools/kivtool/KivCommand.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
std::vector<const KivCommand*>& Table() {
    static std::vector<const KivCommand*> table;
    return table;
}
} // namespace

KivCommand::KivCommand(const char* name_, const char* summary_, KivCommandRunner run_)
    : name(name_), summary(summary_), run(run_) {
    Table().push_back(this);
}

std::vector<const KivCommand*> KivCommand::All() {
    std::vector<const KivCommand*> all = Table();
    std::sort(all.begin(), all.end(), [](const KivCommand* a, const KivCommand* b) {
        return std::strcmp(a->name, b->name) < 0;
    });
    return all;
}

const KivCommand* KivCommand::Find(const std::string& name) {
    for (const KivCommand* command : Table())
        if (name == command->name)
            return command;
    return nullptr;
}

int KivUsageError(const std::string& group, const std::string& message, const char* usage) {
    std::fprintf(stderr, "kivtool %s: %s\n\n%s", group.c_str(), message.c_str(), usage);
    return kKivUsageError;
}

bool IsHelpArgument(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}
