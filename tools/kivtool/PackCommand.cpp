// "kivtool pack": makes, lists, unpacks and verifies archive volumes.
#include "tools/kivtool/KivCommand.h"
#include "tools/kivtool/PackCommands.h"

#include "platform/Windows.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {
const char kUsage[] =
    "usage: kivtool pack COMMAND ...\n"
    "\n"
    "  create OUT.zkiv [--level N] [--setup DIR] [--json] [NAME=DIR ...]\n"
    "                 write a volume: one package per NAME=DIR (the plain files\n"
    "                 of DIR), and the setup package from --setup DIR\n"
    "  list VOLUME [OFFSET] [--json]\n"
    "                 the members of the package at OFFSET (all packages without)\n"
    "  extract VOLUME OFFSET DEST\n"
    "                 unpack the package at OFFSET into DEST with the setup's reader\n"
    "  verify VOLUME [OFFSET ...]\n"
    "                 check the volume and inflate every member of the packages\n"
    "\n"
    "'kivtool pack COMMAND --help' describes a command.\n";

int RunPack(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "kivtool pack: needs a COMMAND\n\n%s", kUsage);
        return 2;
    }
    PackArgs rest(args.begin() + 1, args.end());
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "create")
        return RunPackCreate(rest);
    if (command == "list")
        return RunPackList(rest);
    if (command == "extract")
        return RunPackExtract(rest);
    if (command == "verify")
        return RunPackVerify(rest);
    std::fprintf(stderr, "kivtool pack: unknown command '%s'\n\n%s", command.c_str(), kUsage);
    return 2;
}

KivCommand pack("pack", "make, list, unpack and verify archive volumes", RunPack);
} // namespace

int PackError(const char* command, const std::string& message) {
    std::fprintf(stderr, "kivtool pack %s: %s\n", command, message.c_str());
    return 1;
}

int PackUsageError(const char* command, const std::string& message, const char* help) {
    std::fprintf(stderr, "kivtool pack %s: %s\n\n%s", command, message.c_str(), help);
    return 2;
}

bool WantsHelp(const PackArgs& args) {
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h")
            return true;
    return false;
}

bool ParsePackOffset(const std::string& text, std::uint32_t* offset) {
    if (text.empty() || text[0] == '-' || text[0] == '+')
        return false;
    char* end = nullptr;
    errno = 0;
    unsigned long long value = std::strtoull(text.c_str(), &end, 0);
    if (errno || *end || value > 0x7FFFFFFF)
        return false;
    *offset = static_cast<std::uint32_t>(value);
    return true;
}

std::string JsonText(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof(escape), "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string HostName(const std::string& ansiName) {
    char16_t wide[260];
    char utf8[1040];
    if (MultiByteToWideChar(CP_ACP, 0, ansiName.c_str(), -1, wide, 260) <= 0 ||
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof(utf8), nullptr, nullptr) <= 0)
        return ansiName;
    return utf8;
}
