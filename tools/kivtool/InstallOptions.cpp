#include "tools/kivtool/InstallOptions.h"
#include "tools/kivtool/ToolText.h"

#include "platform/Windows.h"
#include "setup/SetupDriver.h"
#include "setup/SetupLanguage.h"

#include <sstream>
#include <strings.h>

const char kInstallUsage[] =
    "usage: kivtool install MEDIUM [--type typical|compact|custom] [--components NAME,...]\n"
    "                      [--dest WINPATH] [--user NAME] [--company NAME]\n"
    "                      [--language english|french|german|japanese] [--program NAME]\n"
    "                      [--startup-shortcut] [--json] [--log FILE]\n"
    "\n"
    "Installs the medium in the folder MEDIUM (which holds the setup program and\n"
    "its \"<program> files\" folder; the program is \"Setup\" unless --program names\n"
    "another) on the machine in use, without pages: the choices of the pages come\n"
    "from the options, and what is not given keeps the setup's default. --components\n"
    "chooses the components of a custom setup (--type custom is then implied).\n"
    "The program groups are made when the description asks for them;\n"
    "--startup-shortcut also puts the product in the Startup folder.\n"
    "Shows a progress bar on a terminal, a line per install entry otherwise, and a\n"
    "summary (--json: as JSON). Ctrl-C cancels as the setup's Cancel does.\n"
    "--log FILE writes the install log (JSON lines) to the host file FILE: the\n"
    "choices, each install entry, registry key, system file and shortcut, and the\n"
    "result; 'kivtool log show FILE' prints it for a person.\n"
    "\n"
    "Exit codes: 0 installed; 3010 installed, a restart is needed (kivtool machine\n"
    "restart); 1602 cancelled; 1603 failed (the reason on stderr). The exit status\n"
    "holds their low byte (0, 194, 66, 67); the summary shows the whole code.\n";

namespace {

bool ParseType(const std::string& text, std::int32_t* type) {
    static const char* const kNames[] = {"typical", "compact", "custom"};
    for (std::int32_t i = 0; i < 3; ++i)
        if (strcasecmp(text.c_str(), kNames[i]) == 0) {
            *type = i;
            return true;
        }
    return false;
}

bool ParseLanguage(const std::string& text, std::int32_t* language) {
    for (std::int32_t code = kLanguageEnglish; code <= kLanguageJapanese; code <<= 1) {
        char name[32];
        WideCharToMultiByte(CP_UTF8, 0, LanguageName(code), -1, name, sizeof name, nullptr,
                            nullptr);
        if (strcasecmp(text.c_str(), name) == 0) {
            *language = code;
            return true;
        }
    }
    return false;
}

std::vector<std::string> SplitNames(const std::string& text) {
    std::vector<std::string> names;
    std::stringstream in(text);
    for (std::string name; std::getline(in, name, ',');)
        if (!name.empty())
            names.push_back(name);
    return names;
}

// The longest user name or company the setup's variables hold.
constexpr std::size_t kMaxTextLength = 259;

// Characters of UTF-8 text, as Windows counts them (UTF-16 units).
std::size_t TextLength(const std::string& utf8) {
    std::size_t length = 0;
    for (unsigned char c : utf8)
        length += ((c & 0xC0) != 0x80) + (c >= 0xF0);
    return length;
}

// Takes the value of the option at args[*i]; false when it is missing.
bool Value(const std::vector<std::string>& args, std::size_t* i, std::string* value) {
    if (*i + 1 >= args.size())
        return false;
    *value = args[++*i];
    return true;
}

bool ParseOption(const std::vector<std::string>& args, std::size_t* i, InstallOptions* options,
                 std::string* error) {
    const std::string& option = args[*i];
    std::string value;
    if (option == "--json" || option == "--startup-shortcut") {
        (option == "--json" ? options->json : options->startupShortcut) = true;
        return true;
    }
    if (!Value(args, i, &value)) {
        *error = "unknown option or missing value: '" + option + "'";
        return false;
    }
    if (option == "--type" && ParseType(value, &options->setupType))
        return true;
    if (option == "--language" && ParseLanguage(value, &options->language))
        return true;
    if (option == "--components") {
        options->componentsGiven = true;
        options->components = SplitNames(value);
        options->setupType = kSetupCustom;
        return true;
    }
    if ((option == "--user" || option == "--company") && TextLength(value) > kMaxTextLength) {
        *error = option + " is longer than " + std::to_string(kMaxTextLength) + " characters";
        return false;
    }
    std::string* texts[] = {&options->destination, &options->user, &options->company,
                            &options->program, &options->logPath};
    const char* names[] = {"--dest", "--user", "--company", "--program", "--log"};
    for (int k = 0; k < 5; ++k)
        if (option == names[k]) {
            *texts[k] = value;
            options->userGiven = options->userGiven || k == 1;
            options->companyGiven = options->companyGiven || k == 2;
            return true;
        }
    *error = "unknown option or value: '" + option + " " + value + "'";
    return false;
}

} // namespace

bool ParseInstallOptions(const std::vector<std::string>& args, InstallOptions* options,
                         std::string* error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].rfind("--", 0) == 0) {
            if (!ParseOption(args, &i, options, error))
                return false;
        } else if (options->medium.empty()) {
            options->medium = args[i];
        } else {
            *error = "unexpected argument '" + args[i] + "'";
            return false;
        }
    }
    if (options->medium.empty())
        *error = "missing MEDIUM";
    else if (options->program.empty() ||
             options->program.find_first_of("\\/.") != std::string::npos)
        *error = "--program takes a plain name without extension";
    return error->empty();
}

void ApplyInstallChoices(SetupDriver& driver, const InstallOptions& options) {
    SetupVariables& variables = driver.state.variables;
    if (!options.destination.empty())
        variables.installDst = WideFromUtf8(options.destination);
    if (options.userGiven)
        variables.userName = WideFromUtf8(options.user);
    if (options.companyGiven)
        variables.company = WideFromUtf8(options.company);
}

bool ChooseInstallSetup(SetupDriver& driver, const InstallOptions& options, std::string* problem) {
    if (!driver.ChooseSetupType(options.setupType)) {
        *problem = std::string("the description has no setup type named ") +
                   kSetupTypeNames[options.setupType];
        return false;
    }
    std::string unknown;
    if (options.componentsGiven && !driver.SelectComponents(options.components, &unknown)) {
        *problem = "the Custom setup type has no component named '" + unknown + "'";
        return false;
    }
    return true;
}

int ExitCodeFor(std::int32_t result, bool restartNeeded) {
    switch (result) {
    case kInstallSucceeded:
        return restartNeeded ? kExitRestartNeeded : kExitInstalled;
    case kInstallCancelled:
        return kExitCancelled;
    default:
        return kExitFailed;
    }
}

std::vector<std::pair<std::string, std::string>>
GivenInstallOptions(const InstallOptions& options) {
    static const char* const kTypes[] = {"typical", "compact", "custom"};
    std::vector<std::pair<std::string, std::string>> given = {{"type", kTypes[options.setupType]},
                                                              {"program", options.program}};
    std::string components;
    for (const std::string& name : options.components)
        components += (components.empty() ? "" : ",") + name;
    if (options.componentsGiven)
        given.emplace_back("components", components);
    if (!options.destination.empty())
        given.emplace_back("dest", options.destination);
    if (options.userGiven)
        given.emplace_back("user", options.user);
    if (options.companyGiven)
        given.emplace_back("company", options.company);
    if (options.language)
        given.emplace_back("language", Utf8FromWide(LanguageName(options.language)));
    if (options.startupShortcut)
        given.emplace_back("startup-shortcut", "yes");
    return given;
}
