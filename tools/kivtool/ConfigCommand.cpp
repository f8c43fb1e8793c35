// "kivtool config": checks a setup description (config.ini). The loader of
// the setup is lenient: it reads many files that no vendor meant to write.
// The check reports the loader's refusal, or else every problem it finds in
// what was read (ConfigCheck.h), with the line concerned.
#include "tools/kivtool/ConfigCheck.h"
#include "tools/kivtool/ConfigSummary.h"
#include "tools/kivtool/KivCommand.h"
#include "tools/kivtool/ReadHostFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// A description of thousands of entries is a few hundred kilobytes.
constexpr std::size_t kMaxDescriptionBytes = std::size_t(16) << 20;

const char kUsage[] = "usage: kivtool config check FILE\n"
                      "\n"
                      "  check FILE   read FILE as the setup program reads config.ini, then\n"
                      "               look for what no sound description holds\n"
                      "\n"
                      "'kivtool config check --help' describes the check.\n";

const char kCheckUsage[] =
    "usage: kivtool config check FILE\n"
    "\n"
    "Reads FILE as the setup program reads config.ini. When the setup would refuse\n"
    "it, prints the line and the reason. Otherwise checks what the setup accepts\n"
    "but a sound description never holds (a format version other than 1.10,\n"
    "control bytes in texts, fields that are not numbers, no language, setup types\n"
    "and components that install nothing, volumes missing from the volume list,\n"
    "registry keys without their end line, ...) and prints each problem as\n"
    "FILE:LINE: error|warning: message.\n"
    "\n"
    "A file over 16 MiB is refused.\n"
    "Exit status: 0 sound (a summary follows; warnings may be printed), 1 refused\n"
    "or errors found, 2 wrong command line.\n";

// Loads the file; false (with the reason printed) when it cannot be read or
// the setup would refuse it.
bool Load(const std::string& path, SetupDescription& description) {
    std::string bytes, reason;
    const HostFileRead read = ReadHostFile(path, kMaxDescriptionBytes, &bytes, &reason);
    if (read != HostFileRead::kRead) {
        std::printf("%s: error: cannot %s: %s\n", path.c_str(),
                    read == HostFileRead::kCannotOpen ? "open" : "read", reason.c_str());
        return false;
    }
    // The setup's reader takes a stream: the bytes, already bounded, become
    // one (a memory stream cannot be empty).
    std::FILE* file =
        bytes.empty() ? std::fopen("/dev/null", "rb") : fmemopen(bytes.data(), bytes.size(), "rb");
    if (!file) {
        std::printf("%s: error: cannot read: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    const bool loaded = LoadSetupDescription(description, file);
    std::fclose(file);
    if (!loaded)
        std::printf("%s:%d: error: %s (the setup refuses the file)\n", path.c_str(),
                    description.error.line, description.error.reason.c_str());
    return loaded;
}

int Check(const std::string& path) {
    SetupDescription description;
    if (!Load(path, description))
        return 1;
    ConfigProblems problems;
    CheckSetupDescription(description, problems);
    problems.Print(stdout, path);
    const int errors = problems.Errors();
    const int warnings = problems.Warnings();
    if (errors) {
        std::printf("%s: %d error%s, %d warning%s\n", path.c_str(), errors, errors == 1 ? "" : "s",
                    warnings, warnings == 1 ? "" : "s");
        return 1;
    }
    std::printf("%s: sound setup description (format %s)", path.c_str(),
                Quoted(description.formatVersion).c_str());
    std::printf(warnings ? ", %d warning%s\n" : "\n", warnings, warnings == 1 ? "" : "s");
    PrintConfigSummary(stdout, description);
    return 0;
}

int RunCheck(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (IsHelpArgument(arg)) {
            std::fputs(kCheckUsage, stdout);
            return 0;
        }
    if (args.empty())
        return KivUsageError("config check", "missing FILE", kCheckUsage);
    if (args[0].size() > 1 && args[0][0] == '-')
        return KivUsageError("config check", "unknown option '" + args[0] + "'", kCheckUsage);
    if (args.size() > 1)
        return KivUsageError("config check", "one FILE only, not also '" + args[1] + "'",
                             kCheckUsage);
    return Check(args[0]);
}

int RunConfig(const std::vector<std::string>& args) {
    if (args.empty())
        return KivUsageError("config", "missing command", kUsage);
    if (IsHelpArgument(args[0])) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args[0] != "check")
        return KivUsageError("config", "unknown command '" + args[0] + "'", kUsage);
    return RunCheck(std::vector<std::string>(args.begin() + 1, args.end()));
}

KivCommand config("config", "check a setup description (config.ini)", RunConfig);

} // namespace
