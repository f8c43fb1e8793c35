// kivtool rc: compiles one language's resource sources into the six
// language resource files the setup reads.
#include "tools/kivtool/KivCommand.h"
#include "tools/kivtool/RcCompile.h"

#include <cstdio>

namespace {

const char kRcUsage[] =
    "usage: kivtool rc SOURCE_DIR OUT_BASE [--english DIR]\n"
    "\n"
    "Compiles the sources of one language into OUT_BASE.erf (fonts), .erb (bitmaps),\n"
    ".erd (dialog layouts), .erm (menus: header only), .era (accelerators) and\n"
    ".ers (texts). SOURCE_DIR holds language.txt (\"language = NAME or NUMBER\"),\n"
    "texts.txt, fonts.txt, and optionally dialogs.txt, accelerators.txt and a\n"
    "pictures folder. The setup's texts 100 to 150 must take the \"%s\" arguments\n"
    "the setup gives them. Texts are checked against the English texts (the folder\n"
    "English beside SOURCE_DIR, or --english DIR), whose dialogs.txt and pictures\n"
    "also give the layouts and pictures this language does not give itself.\n"
    "Captions are checked in the language's fonts: no two controls of a dialog,\n"
    "nor two buttons of a message box, share an \"&\" mnemonic, and every push\n"
    "button, check box and radio button caption fits inside its control.\n"
    "Errors name the file and line; nothing is written then.\n"
    "Exit status: 0 compiled, 1 an error in the sources, 2 usage error.\n";

int Compile(const std::string& source, const std::string& base, const std::string& english) {
    RcError error;
    if (!CompileLanguageResources(source, base, english, &error)) {
        std::fprintf(stderr, "kivtool rc: %s\n", error.Text().c_str());
        return 1;
    }
    return 0;
}

int RunRc(const std::vector<std::string>& args) {
    if (args.size() == 1 && IsHelpArgument(args[0])) {
        std::fputs(kRcUsage, stdout);
        return 0;
    }
    std::vector<std::string> paths;
    std::string english;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--english" && i + 1 < args.size())
            english = args[++i];
        else if (args[i].rfind("--", 0) != 0)
            paths.push_back(args[i]);
        else
            return KivUsageError("rc", "unexpected argument '" + args[i] + "'", kRcUsage);
    }
    if (paths.size() != 2)
        return KivUsageError("rc", "expected SOURCE_DIR and OUT_BASE", kRcUsage);
    return Compile(paths[0], paths[1], english);
}

KivCommand rc("rc", "compile a language's resource sources", RunRc);

} // namespace
