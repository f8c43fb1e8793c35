// kivtool lnk: what a shell link (.LNK file) holds, read with the platform's
// own reader of the Shell Link binary format.
#include "tools/kivtool/KivCommand.h"
#include "tools/kivtool/PackCommands.h"
#include "tools/kivtool/ReadHostFile.h"

#include "platform/ShellLinkFile.h"
#include "platform/Windows.h"

#include <cstdio>

namespace {

const char kLnkUsage[] =
    "usage: kivtool lnk show FILE.LNK [--json]\n"
    "\n"
    "Prints the target path and the description of a shell link, a host file.\n"
    "Texts stored only in an ANSI code page are read as code page 1252.\n"
    "--json prints {\"target\": ..., \"description\": ...} instead.\n"
    "A file over 1 MiB is no link and is refused.\n"
    "Exit status: 0 shown, 1 not a readable link, 2 usage error.\n";

// A link holds a few paths and texts: kilobytes.
constexpr std::size_t kMaxLinkBytes = std::size_t(1) << 20;

// Texts of the link as UTF-8 for the host: the UTF-16 form when the link has
// one, the ANSI form otherwise.
std::string HostText(const std::u16string& wide, const std::string& ansi) {
    std::u16string text = wide;
    if (text.empty() && !ansi.empty()) {
        text.resize(ansi.size() + 1);
        const int size = MultiByteToWideChar(1252, 0, ansi.c_str(), -1, text.data(),
                                             static_cast<int>(text.size()));
        text.resize(size > 0 ? static_cast<std::size_t>(size - 1) : 0);
    }
    if (text.empty())
        return {};
    std::string utf8(text.size() * 3 + 1, '\0');
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(),
                                         static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(size > 0 ? static_cast<std::size_t>(size - 1) : 0);
    return utf8;
}

int Show(const std::string& path, bool json) {
    std::string bytes, reason;
    if (ReadHostFile(path, kMaxLinkBytes, &bytes, &reason) != HostFileRead::kRead) {
        std::fprintf(stderr, "kivtool lnk: cannot read %s: %s\n", path.c_str(), reason.c_str());
        return 1;
    }
    ShellLinkData link;
    if (!ShellLinkFile::Read(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(), &link)) {
        std::fprintf(stderr, "kivtool lnk: %s is not a readable shell link\n", path.c_str());
        return 1;
    }
    const std::string target = HostText(link.targetPath, link.ansiTargetPath);
    const std::string description = HostText(link.description, link.ansiDescription);
    if (json)
        std::printf("{\"target\": %s, \"description\": %s}\n", JsonText(target).c_str(),
                    JsonText(description).c_str());
    else
        std::printf("target: %s\ndescription: %s\n", target.c_str(), description.c_str());
    return 0;
}

int RunLnk(const std::vector<std::string>& args) {
    if (args.size() == 1 && IsHelpArgument(args[0])) {
        std::fputs(kLnkUsage, stdout);
        return 0;
    }
    if (args.empty() || args[0] != "show")
        return KivUsageError("lnk", "expected 'show'", kLnkUsage);
    std::string file;
    bool json = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--json")
            json = true;
        else if (file.empty() && args[i].rfind("--", 0) != 0)
            file = args[i];
        else
            return KivUsageError("lnk", "unexpected argument '" + args[i] + "'", kLnkUsage);
    }
    if (file.empty())
        return KivUsageError("lnk", "show needs a FILE.LNK", kLnkUsage);
    return Show(file, json);
}

KivCommand lnk("lnk", "show what a shell link (.LNK) holds", RunLnk);

} // namespace
