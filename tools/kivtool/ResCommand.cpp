// kivtool res show: what a compiled language resource file holds.
#include "tools/kivtool/KivCommand.h"
#include "tools/kivtool/RcSource.h"
#include "tools/kivtool/ReadHostFile.h"
#include "tools/kivtool/ResShow.h"

#include <algorithm>
#include <cstdio>

namespace {

const char kResUsage[] =
    "usage: kivtool res show FILE [ID] [--json]\n"
    "\n"
    "Prints what a compiled language resource file holds, by its extension:\n"
    ".ers texts, .erb bitmap sizes and frames, .erd dialog layouts and their\n"
    "controls, .erf font metrics, .era accelerators (ID selects a command),\n"
    ".erm only the language. The first line (or \"language\" in JSON) is the\n"
    "file's language identifier. ID shows one item. A file over 64 MiB is refused.\n"
    "Exit status: 0 shown, 1 unreadable file or no such item, 2 usage error.\n";

// The resources of one language are a few megabytes at most.
constexpr std::size_t kMaxResourceFileBytes = std::size_t(64) << 20;

using ShowFunction = bool (*)(const ResShowRequest&);

ShowFunction ShowFor(std::string path) {
    std::transform(path.begin(), path.end(), path.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::string extension = path.size() > 4 ? path.substr(path.size() - 4) : "";
    if (extension == ".ers")
        return ShowTexts;
    if (extension == ".erb")
        return ShowBitmaps;
    if (extension == ".erd")
        return ShowDialogs;
    if (extension == ".erf")
        return ShowFonts;
    if (extension == ".era")
        return ShowAccelerators;
    return nullptr;
}

int Show(const std::string& path, LONG id, bool json) {
    const bool menu = path.size() > 4 && (path.substr(path.size() - 4) == ".erm" ||
                                          path.substr(path.size() - 4) == ".ERM");
    ShowFunction show = ShowFor(path);
    if (!show && !menu)
        return KivUsageError("res", "FILE must end in .ers, .erb, .erd, .erf, .era or .erm",
                             kResUsage);
    std::string bytes, reason;
    const bool read =
        ReadHostFile(path, kMaxResourceFileBytes, &bytes, &reason) == HostFileRead::kRead;
    const KIVMemorySource file(bytes.data(), bytes.size());
    LONG language = -1;
    if (!read || !file.LanguageId(&language)) {
        std::fprintf(stderr, "kivtool res: cannot read %s\n", path.c_str());
        return 1;
    }
    const ResShowRequest request{&file, id, json, language};
    if (menu) {
        PrintItems(request, {});
        return 0;
    }
    const std::vector<LONG> ids = DirectoryIds(file);
    const bool listed =
        id == -1 || show == ShowAccelerators || std::find(ids.begin(), ids.end(), id) != ids.end();
    if (!listed || !show(request)) {
        std::fprintf(stderr, "kivtool res: %s: no readable item %d\n", path.c_str(),
                     static_cast<int>(id));
        return 1;
    }
    return 0;
}

int RunRes(const std::vector<std::string>& args) {
    if (args.size() == 1 && IsHelpArgument(args[0])) {
        std::fputs(kResUsage, stdout);
        return 0;
    }
    if (args.empty() || args[0] != "show")
        return KivUsageError("res", "expected 'show'", kResUsage);
    std::vector<std::string> words;
    bool json = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--json")
            json = true;
        else if (args[i].rfind("--", 0) != 0)
            words.push_back(args[i]);
        else
            return KivUsageError("res", "unexpected argument '" + args[i] + "'", kResUsage);
    }
    std::int32_t id = -1;
    if (words.empty() || words.size() > 2 ||
        (words.size() == 2 && (!ParseLong(words[1], &id) || id < 0)))
        return KivUsageError("res", "show needs FILE and at most one ID (0 or more)", kResUsage);
    return Show(words[0], id, json);
}

KivCommand res("res", "show what a compiled language resource file holds", RunRes);

} // namespace
