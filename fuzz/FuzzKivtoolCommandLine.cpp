// Fuzz target: the command lines of kivtool, parsed as its commands parse
// them but never run: the first argument is looked up as a command, the rest
// go through the install options, the reg sub-commands' rules and the pack
// offsets. The input is the arguments, separated by NUL bytes. A refusal
// says why; what is accepted stays within what the commands index by it.
#include "setup/SetupState.h"
#include "tools/kivtool/InstallOptions.h"
#include "tools/kivtool/KivCommand.h"
#include "tools/kivtool/PackCommands.h"
#include "tools/kivtool/RegArguments.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

std::vector<std::string> Arguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i)
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    return args;
}

void Install(const std::vector<std::string>& args) {
    InstallOptions options;
    std::string error;
    if (!ParseInstallOptions(args, &options, &error)) {
        Check(!error.empty());
        return;
    }
    Check(!options.medium.empty() && options.setupType >= kSetupTypical &&
          options.setupType <= kSetupCustom);
    for (const auto& [name, value] : GivenInstallOptions(options))
        Check(!name.empty());
}

void Reg(const std::vector<std::string>& args) {
    for (const RegArgumentRule& rule :
         {RegArgumentRule{"KEY", 2}, RegArgumentRule{nullptr, 1}, RegArgumentRule{"FILE", 1}}) {
        const RegArguments parsed = ParseRegArguments(args, rule);
        if (parsed.help || !parsed.problem.empty())
            continue;
        Check(parsed.operands.size() <= rule.maxOperands);
        Check(!rule.firstOperand || !parsed.operands.empty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = Arguments(data, size);
    const KivCommand* command = KivCommand::Find(args[0]);
    Check(!command || args[0] == command->name);
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    Install(rest);
    Reg(rest);
    for (const std::string& arg : rest) {
        std::uint32_t offset = 0;
        IsHelpArgument(arg);
        ParsePackOffset(arg, &offset);
    }
    return 0;
}
