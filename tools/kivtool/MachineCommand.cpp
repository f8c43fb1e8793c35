// "kivtool machine": makes an emulated machine, shows its settings and
// folders, and maps Windows paths on it to host paths.
//
// [SECTION] Usage texts
// [SECTION] Options of init
// [SECTION] Commands
#include "tools/kivtool/KivCommand.h"
#include "tools/kivtool/RestartCommand.h"

#include "platform/Machine.h"
#include "platform/PathMap.h"
#include "platform/WinBase.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// [SECTION] Usage texts

const char kUsage[] =
    "usage: kivtool machine COMMAND ...\n"
    "\n"
    "  init [ROOT] [OPTIONS]  make a fresh machine (default root: $KIV_MACHINE, or\n"
    "                         ~/.kiv/machine)\n"
    "  info                   show the settings and folders of the machine in use\n"
    "  path PATH              map a Windows path to the host, or a host path to Windows\n"
    "  restart                carry out the replacements left for the next start\n"
    "\n"
    "'kivtool machine COMMAND --help' describes a command.\n";

const char kInitUsage[] =
    "usage: kivtool machine init [ROOT] [--nt|--9x] [--lang ID] [--codepage 1252|932]\n"
    "                            [--screen WxH] [--no-admin] [--owner NAME]\n"
    "                            [--organization NAME] [--user NAME]\n"
    "                            [--free DRIVE:=SIZE]...\n"
    "\n"
    "Makes the folder tree and the settings of a machine at ROOT. Content already\n"
    "there is kept; the settings are rewritten. The registry is seeded on first use.\n"
    "\n"
    "  --nt, --9x          platform family (default NT)\n"
    "  --lang ID           user default language identifier, e.g. 0x0409 (default)\n"
    "  --codepage CP       ANSI code page, 1252 (default) or 932\n"
    "  --screen WxH        screen size (default 1024x768)\n"
    "  --no-admin          the user is not an administrator\n"
    "  --owner NAME        registered owner (default User)\n"
    "  --organization NAME registered organization (default none)\n"
    "  --user NAME         user name, which names the per-user folders (default User)\n"
    "  --free D:=SIZE      the drive states at most SIZE free bytes (K, M or G for\n"
    "                      1024, 1048576 or 1073741824 bytes; e.g. C:=50M); repeatable\n";

const char kInfoUsage[] = "usage: kivtool machine info\n"
                          "\n"
                          "Shows the settings and the well-known folders of the machine in use\n"
                          "($KIV_MACHINE, or ~/.kiv/machine).\n";

const char kPathUsage[] =
    "usage: kivtool machine path PATH\n"
    "\n"
    "Prints the host path of a Windows path on the machine in use (C:\\Windows ->\n"
    "ROOT/drive_c/Windows), or the Windows form of a host path starting with \"/\".\n";

// [SECTION] Options of init

int Fail(const std::string& message) {
    std::fprintf(stderr, "kivtool machine: %s\n", message.c_str());
    return 1;
}

int UsageError(const std::string& command, const std::string& message, const char* usage) {
    return KivUsageError(command.empty() ? "machine" : "machine " + command, message, usage);
}

bool WantsHelp(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (IsHelpArgument(arg))
            return true;
    return false;
}

bool ParseNumber(const std::string& text, unsigned long limit, unsigned* value) {
    char* end = nullptr;
    unsigned long parsed = std::strtoul(text.c_str(), &end, 0);
    if (text.empty() || *end || parsed == 0 || parsed > limit)
        return false;
    *value = static_cast<unsigned>(parsed);
    return true;
}

bool ParseScreen(const std::string& text, MachineSettings* settings) {
    std::size_t x = text.find('x');
    unsigned width = 0, height = 0;
    if (x == std::string::npos || !ParseNumber(text.substr(0, x), 16384, &width) ||
        !ParseNumber(text.substr(x + 1), 16384, &height))
        return false;
    settings->screenWidth = static_cast<int>(width);
    settings->screenHeight = static_cast<int>(height);
    return true;
}

// "50M" is 52428800 bytes; false for anything but a number with an optional
// K, M or G, or a size past 64 bits.
bool ParseSize(const std::string& text, unsigned long long* bytes) {
    const std::size_t digits = text.find_first_not_of("0123456789");
    if (digits == 0 || (digits != std::string::npos && digits + 1 != text.size()))
        return false;
    const std::string suffix = digits == std::string::npos ? "" : text.substr(digits);
    const unsigned shift = suffix == ""                    ? 0
                           : suffix == "K" || suffix == "k" ? 10
                           : suffix == "M" || suffix == "m" ? 20
                           : suffix == "G" || suffix == "g" ? 30
                                                            : 64;
    errno = 0;
    const unsigned long long number = std::strtoull(text.c_str(), nullptr, 10);
    if (shift == 64 || errno == ERANGE || (shift && number >> (64 - shift)))
        return false;
    *bytes = number << shift;
    return true;
}

// "C:=50M": a drive letter, ":=" and a size.
bool ParseFreeSpace(const std::string& text, MachineSettings* settings) {
    unsigned long long bytes = 0;
    if (text.size() < 4 || !std::isalpha(static_cast<unsigned char>(text[0])) ||
        text.compare(1, 2, ":=") != 0 || !ParseSize(text.substr(3), &bytes))
        return false;
    settings->freeSpace[static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])))] =
        bytes;
    return true;
}

// Applies one option (and its value, taken from args[*i + 1]); returns an
// error message, empty when the option was understood.
std::string ApplyOption(const std::vector<std::string>& args, std::size_t* i,
                        MachineSettings* settings) {
    const std::string& option = args[*i];
    if (option == "--nt" || option == "--9x") {
        settings->family = option == "--nt" ? PlatformFamily::NT : PlatformFamily::Win9x;
        return "";
    }
    if (option == "--no-admin") {
        settings->administrator = false;
        return "";
    }
    bool takesValue = option == "--lang" || option == "--codepage" || option == "--screen" ||
                      option == "--owner" || option == "--organization" || option == "--user" ||
                      option == "--free";
    if (!takesValue)
        return "unknown option " + option;
    if (*i + 1 >= args.size())
        return option + " needs a value";
    const std::string& value = args[++*i];
    unsigned number = 0;
    if (option == "--lang" && !ParseNumber(value, 0xFFFF, &settings->languageId))
        return "--lang wants a language identifier such as 0x0409, not " + value;
    if (option == "--codepage" &&
        !(ParseNumber(value, 65535, &number) && (number == 1252 || number == 932)))
        return "--codepage wants 1252 or 932, not " + value;
    if (option == "--codepage")
        settings->codePage = number;
    if (option == "--screen" && !ParseScreen(value, settings))
        return "--screen wants WIDTHxHEIGHT such as 1024x768, not " + value;
    if (option == "--owner")
        settings->registeredOwner = value;
    if (option == "--organization")
        settings->registeredOrganization = value;
    if (option == "--user" && value.empty())
        return "--user wants a name";
    if (option == "--user")
        settings->userName = value;
    if (option == "--free" && !ParseFreeSpace(value, settings))
        return "--free wants DRIVE:=SIZE such as C:=50M, not " + value;
    return "";
}

// [SECTION] Commands

int Init(const std::vector<std::string>& args) {
    MachineSettings settings;
    std::string root;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].rfind("--", 0) != 0) {
            if (!root.empty())
                return UsageError("init", "one ROOT only, not also " + args[i], kInitUsage);
            root = args[i];
            continue;
        }
        std::string error = ApplyOption(args, &i, &settings);
        if (!error.empty())
            return UsageError("init", error, kInitUsage);
    }
    if (root.empty())
        root = Machine::DefaultRoot();
    std::string error;
    if (!Machine::Create(root, settings, &error))
        return Fail(error);
    if (!Machine::Use(root))
        return Fail("cannot read back the settings of " + root);
    std::printf("machine created at %s\n", Machine::Current().Root().c_str());
    return 0;
}

bool OpenDefault() {
    std::string root = Machine::DefaultRoot();
    if (!Machine::Use(root)) {
        Fail("no machine at " + root + " (make one with 'kivtool machine init')");
        return false;
    }
    return true;
}

void PrintFolders() {
    const struct {
        const char* name;
        std::string (*folder)();
    } folders[] = {
        {"Windows", MachineFolders::Windows},
        {"System", MachineFolders::System},
        {"Program Files", MachineFolders::ProgramFiles},
        {"Temp", MachineFolders::Temp},
        {"Common Programs", MachineFolders::CommonPrograms},
        {"Common Startup", MachineFolders::CommonStartup},
        {"Programs", MachineFolders::UserPrograms},
        {"Startup", MachineFolders::UserStartup},
        {"Desktop", MachineFolders::Desktop},
        {"AppData", MachineFolders::AppData},
    };
    std::printf("folders:\n");
    for (const auto& folder : folders)
        std::printf("  %-16s %s\n", folder.name, folder.folder().c_str());
}

int Info() {
    if (!OpenDefault())
        return 1;
    const Machine& machine = Machine::Current();
    const MachineSettings& s = machine.Settings();
    DWORD version = GetVersion();
    std::printf("machine          %s\n", machine.Root().c_str());
    std::printf("family           %s (version %u.%u, GetVersion 0x%08X)\n",
                s.family == PlatformFamily::NT ? "NT" : "9x", version & 0xFF, (version >> 8) & 0xFF,
                version);
    std::printf("language         0x%04X\n", s.languageId);
    std::printf("code page        %u\n", s.codePage);
    std::printf("screen           %dx%d\n", s.screenWidth, s.screenHeight);
    std::printf("administrator    %s\n", s.administrator ? "yes" : "no");
    std::printf("user             %s\n", s.userName.c_str());
    std::printf("owner            %s\n", s.registeredOwner.c_str());
    std::printf("organization     %s\n", s.registeredOrganization.c_str());
    for (const auto& [letter, bytes] : s.freeSpace)
        std::printf("free space %c:    at most %llu bytes\n", letter, bytes);
    std::printf("registry         %s\n", machine.RegistryPath().c_str());
    PrintFolders();
    return 0;
}

int Path(const std::vector<std::string>& args) {
    if (args.size() != 1)
        return UsageError("path",
                          args.empty() ? "missing PATH" : "one PATH only, not also " + args[1],
                          kPathUsage);
    if (!OpenDefault())
        return 1;
    if (!args[0].empty() && args[0][0] == '/') {
        std::printf("%s\n", PathMap::ToWindows(args[0]).c_str());
        return 0;
    }
    std::string host;
    unsigned error = 0;
    if (!PathMap::ToHost(args[0], &host, &error)) {
        const char* reason = error == ERROR_FILENAME_EXCED_RANGE ? "the path is too long"
                             : error == ERROR_PATH_NOT_FOUND     ? "no such drive"
                                                                 : "not a valid path";
        return Fail(args[0] + ": " + reason + " (error " + std::to_string(error) + ")");
    }
    std::printf("%s\n", host.c_str());
    return 0;
}

int RunMachine(const std::vector<std::string>& args) {
    if (args.empty())
        return UsageError("", "missing command", kUsage);
    const std::string& command = args[0];
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (IsHelpArgument(command)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "restart")
        return RunMachineRestart(rest);
    const char* usage = command == "init"   ? kInitUsage
                        : command == "info" ? kInfoUsage
                        : command == "path" ? kPathUsage
                                            : nullptr;
    if (!usage)
        return UsageError("", "unknown command '" + command + "'", kUsage);
    if (WantsHelp(rest)) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (command == "init")
        return Init(rest);
    if (command == "info")
        return rest.empty() ? Info()
                            : UsageError("info", "no arguments wanted, not " + rest[0], kInfoUsage);
    return Path(rest);
}

KivCommand machine("machine", "create and inspect emulated machines", RunMachine);

} // namespace
