// "kivtool dist": makes a distribution medium from a project file
// ("build"), and writes a first project file for a product folder ("init").
#include "tools/kivtool/DistBuild.h"
#include "tools/kivtool/DistInit.h"
#include "tools/kivtool/KivCommand.h"

#include <cstdio>
#include <fstream>

namespace {
const char kUsage[] = "usage: kivtool dist COMMAND ...\n"
                      "\n"
                      "  build PROJECT_FILE OUT_DIR [--setup-program FILE] [--resources DIR]\n"
                      "               make the distribution medium that PROJECT_FILE describes\n"
                      "  init PRODUCT_DIR [-o FILE]\n"
                      "               write a starting project file for a product folder\n"
                      "\n"
                      "'kivtool dist COMMAND --help' describes a command.\n";

const char kBuildUsage[] =
    "usage: kivtool dist build PROJECT_FILE OUT_DIR [--setup-program FILE] [--resources DIR]\n"
    "\n"
    "Makes a distribution medium in OUT_DIR from the project file: the volumes\n"
    "(archive.zkiv, archive1.zkiv, ...) with the setup description config.ini\n"
    "filled in from what was packed, the copied folders, the language folders\n"
    "(resources compiled from DIR/<Language>, DIR the project's resources key,\n"
    "else --resources, else the resources of kivtool's own sources) with their\n"
    "licences, and Setup.exe (the project's setup-program key, else\n"
    "--setup-program). The medium is checked before it takes OUT_DIR's place;\n"
    "every problem is printed as PROJECT_FILE:LINE: error: message.\n"
    "The README's section \"Making a distribution\" describes the project file.\n"
    "Exit status: 0 made, 1 an error, 2 wrong command line.\n";

const char kInitUsage[] =
    "usage: kivtool dist init PRODUCT_DIR [-o FILE]\n"
    "\n"
    "Writes a project file for the product folder on stdout (or to FILE): one\n"
    "component per top-level folder, the top-level files as the program, Typical,\n"
    "Compact and Custom setup types, the program's .exe with a shortcut, and the\n"
    "defaults, with comments on what to edit. kivtool dist build takes it as it is.\n";

bool WantsHelp(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (IsHelpArgument(arg))
            return true;
    return false;
}

int RunBuild(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::fputs(kBuildUsage, stdout);
        return 0;
    }
    DistBuildRequest request;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--setup-program" && i + 1 < args.size())
            request.setupProgram = args[++i];
        else if (args[i] == "--resources" && i + 1 < args.size())
            request.resources = args[++i];
        else if (args[i].rfind("-", 0) == 0)
            return KivUsageError("dist build", "unknown or incomplete option " + args[i],
                                 kBuildUsage);
        else
            paths.push_back(args[i]);
    }
    if (paths.size() != 2)
        return KivUsageError("dist build", "expected PROJECT_FILE and OUT_DIR", kBuildUsage);
    request.project = paths[0];
    request.out = paths[1];
    while (request.out.size() > 1 && request.out.back() == '/')
        request.out.pop_back();
    return RunDistBuild(request);
}

int RunInit(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::fputs(kInitUsage, stdout);
        return 0;
    }
    std::string product, out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size() && out.empty())
            out = args[++i];
        else if (args[i].rfind("-", 0) != 0 && product.empty())
            product = args[i];
        else
            return KivUsageError("dist init", "unexpected argument " + args[i], kInitUsage);
    }
    if (product.empty())
        return KivUsageError("dist init", "expected PRODUCT_DIR", kInitUsage);
    const std::filesystem::path base = out.empty() ? std::filesystem::current_path()
                                                   : std::filesystem::absolute(out).parent_path();
    std::string text, error;
    if (!WriteDistInit(product, base, &text, &error)) {
        std::fprintf(stderr, "kivtool dist init: %s\n", error.c_str());
        return 1;
    }
    if (out.empty()) {
        std::fputs(text.c_str(), stdout);
        return 0;
    }
    std::ofstream file(out, std::ios::binary);
    if (!(file << text) || !(file.flush())) {
        std::fprintf(stderr, "kivtool dist init: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}

int RunDist(const std::vector<std::string>& args) {
    if (args.empty())
        return KivUsageError("dist", "missing command", kUsage);
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (IsHelpArgument(args[0])) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args[0] == "build")
        return RunBuild(rest);
    if (args[0] == "init")
        return RunInit(rest);
    return KivUsageError("dist", "unknown command '" + args[0] + "'", kUsage);
}

KivCommand dist("dist", "make a distribution medium from a project file", RunDist);
} // namespace
