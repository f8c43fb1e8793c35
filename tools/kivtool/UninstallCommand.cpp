// "kivtool uninstall": undoes an installation from the uninstall record in
// its folder (or the install journal of a setup that was killed), and says
// what went and what stayed and why.
#include "tools/kivtool/KivCommand.h"
#include "tools/kivtool/PackCommands.h"

#include "engine/InstallMutex.h"
#include "engine/Uninstaller.h"
#include "platform/Machine.h"
#include "platform/PathMap.h"
#include "platform/Windows.h"
#include "setup/SetupExitCode.h"

#include <cstdio>

namespace {

const char kUsage[] =
    "usage: kivtool uninstall FOLDER [--dry-run] [--json]\n"
    "\n"
    "Removes what the uninstall record FOLDER\\.uninstallinfos.log lists from the\n"
    "machine in use: the listed files, the listed registry keys and the folders and\n"
    "keys they leave empty, lowering the use counts of shared system files. Files,\n"
    "values and keys the record does not list stay, with their folders and keys.\n"
    "A setup that was killed before it wrote the record left its install journal,\n"
    "FOLDER\\.uninstallinfos.journal: it is read instead, by the same rules.\n"
    "FOLDER is a Windows path (C:\\Program Files\\Product) or a host path (/...).\n"
    "\n"
    "  --dry-run  print what would go, and remove nothing\n"
    "  --json     print the summary as JSON\n"
    "\n"
    "Only what lies where the product's setup could have put it is removed: its\n"
    "installation folder, the setup's staging folder, its program groups and its\n"
    "start-up shortcut, and shared system files by their use counts. A line naming\n"
    "any other place is refused and left alone.\n"
    "\n"
    "Exit status: 0 removed, 1 nothing to do (no record, no journal) or some lines\n"
    "refused (the rest removed, the record stays), 2 refused (a damaged record or\n"
    "journal, or a mistake on the command line), 3 some removals failed (the record\n"
    "stays, so that the uninstallation can run again), 82 (1618) another\n"
    "installation or uninstallation is in progress (waited 5 seconds).\n";

constexpr int kExitIncomplete = 3;

struct UninstallOptions {
    std::string folder;
    bool dryRun = false;
    bool json = false;
};

bool ParseOptions(const std::vector<std::string>& args, UninstallOptions* options,
                  std::string* error) {
    for (const std::string& arg : args) {
        if (arg == "--dry-run")
            options->dryRun = true;
        else if (arg == "--json")
            options->json = true;
        else if (arg.size() > 1 && arg[0] == '-')
            *error = "unknown option " + arg;
        else if (options->folder.empty())
            options->folder = arg;
        else
            *error = "more than one folder given";
    }
    if (error->empty() && options->folder.empty())
        *error = "no folder given";
    return error->empty();
}

// The folder as an ANSI Windows path; false when it has no such form.
bool WindowsFolder(const std::string& given, std::string* folder) {
    const std::string utf8 = given[0] == '/' ? PathMap::ToWindows(given) : given;
    char16_t wide[MAX_PATH];
    char ansi[MAX_PATH * 2];
    BOOL lossy = FALSE;
    if (MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, MAX_PATH) <= 0 ||
        WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr, &lossy) <= 0 || lossy)
        return false;
    *folder = ansi;
    return folder->size() >= 3 && folder->compare(1, 2, ":\\") == 0;
}

void PrintText(const UninstallRun& run) {
    const char* removed = run.DryRun() ? "would remove" : "removed";
    for (const UninstallItem& item : run.RemovedItems())
        std::printf("%s: %s%s%s\n", removed, HostName(item.path).c_str(),
                    item.note.empty() ? "" : " — ", HostName(item.note).c_str());
    for (const UninstallItem& item : run.KeptItems())
        std::printf("kept: %s — %s\n", HostName(item.path).c_str(), HostName(item.note).c_str());
    std::printf("%zu %s, %zu kept\n", run.RemovedItems().size(), removed, run.KeptItems().size());
}

void PrintJsonItems(const char* name, const std::vector<UninstallItem>& items, bool last) {
    std::printf("  \"%s\": [", name);
    for (std::size_t i = 0; i < items.size(); ++i)
        std::printf("%s\n    {\"path\": %s, \"note\": %s}", i ? "," : "",
                    JsonText(HostName(items[i].path)).c_str(),
                    JsonText(HostName(items[i].note)).c_str());
    std::printf("%s]%s\n", items.empty() ? "" : "\n  ", last ? "" : ",");
}

void PrintJson(const UninstallRun& run, const char* outcome, const std::string& message) {
    std::printf("{\n  \"outcome\": \"%s\",\n  \"dryRun\": %s,\n  \"message\": %s,\n", outcome,
                run.DryRun() ? "true" : "false", JsonText(HostName(message)).c_str());
    PrintJsonItems("removed", run.RemovedItems(), false);
    PrintJsonItems("kept", run.KeptItems(), true);
    std::printf("}\n");
}

int Report(const UninstallRun& run, UninstallOutcome outcome, const std::string& message,
           bool json) {
    static const char* const names[] = {"done", "no-record", "refused", "incomplete",
                                        "out-of-scope"};
    static const int codes[] = {0, 1, kKivUsageError, kExitIncomplete, 1};
    const int index = static_cast<int>(outcome);
    if (json)
        PrintJson(run, names[index], message);
    else if (!message.empty())
        std::fprintf(stderr, "kivtool uninstall: %s\n", HostName(message).c_str());
    if (!json && (outcome == UninstallOutcome::Done || outcome == UninstallOutcome::Incomplete ||
                  outcome == UninstallOutcome::OutOfScope))
        PrintText(run);
    if (!json && outcome == UninstallOutcome::OutOfScope)
        std::fprintf(stderr, "kivtool uninstall: some lines of the record name places outside this "
                             "product's (\"refused\" above): they were left alone, the rest was "
                             "removed, and the record stays\n");
    return codes[index];
}

// One installation or uninstallation at a time (see InstallMutex): 0 once
// held, else the exit status.
int TakeInstallMutex(InstallMutex& lock) {
    const InstallMutex::Result result = lock.Acquire();
    if (result == InstallMutex::kHeld)
        return 0;
    if (result == InstallMutex::kBusy)
        std::fprintf(stderr,
                     "kivtool uninstall: another installation is in progress (waited %u "
                     "seconds); try again when it has finished\n",
                     static_cast<unsigned>(InstallMutex::kWaitMilliseconds / 1000));
    else
        std::fprintf(stderr, "kivtool uninstall: the machine's installation lock cannot be made\n");
    return result == InstallMutex::kBusy ? kExitAlreadyRunning & 0xFF : 1;
}

int RunUninstall(const std::vector<std::string>& args) {
    if (args.size() == 1 && IsHelpArgument(args[0])) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    UninstallOptions options;
    std::string error, folder;
    if (!ParseOptions(args, &options, &error))
        return KivUsageError("uninstall", error, kUsage);
    if (!Machine::Use(Machine::DefaultRoot())) {
        std::fprintf(stderr, "kivtool uninstall: no machine at %s\n",
                     Machine::DefaultRoot().c_str());
        return kKivUsageError;
    }
    if (!WindowsFolder(options.folder, &folder))
        return KivUsageError("uninstall", options.folder + " is no absolute path on the machine",
                             kUsage);
    InstallMutex lock;
    if (int status = TakeInstallMutex(lock))
        return status;
    UninstallRun run(options.dryRun);
    std::string message;
    const UninstallOutcome outcome = Uninstall(folder, run, &message);
    return Report(run, outcome, message, options.json);
}

KivCommand uninstall("uninstall", "remove an installation from its uninstall record", RunUninstall);

} // namespace
