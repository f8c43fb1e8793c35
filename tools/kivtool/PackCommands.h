// The subcommands of "kivtool pack" and what they share.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using PackArgs = std::vector<std::string>;

int RunPackCreate(const PackArgs& args);
int RunPackList(const PackArgs& args);
int RunPackExtract(const PackArgs& args);
int RunPackVerify(const PackArgs& args);

// Prints "kivtool pack <command>: <message>" on stderr; returns exit status 1.
int PackError(const char* command, const std::string& message);
// A usage error: the same line, then the command's help, on stderr; returns
// exit status 2.
int PackUsageError(const char* command, const std::string& message, const char* help);
// True when args holds "--help" or "-h".
bool WantsHelp(const PackArgs& args);
// A package offset: decimal or 0x-prefixed hexadecimal, 0 to 2^31 - 1.
bool ParsePackOffset(const std::string& text, std::uint32_t* offset);
// Text quoted for a JSON string.
std::string JsonText(const std::string& text);
// An ANSI member name shown on the host (UTF-8).
std::string HostName(const std::string& ansiName);

struct ZipageFailure;
// Why the archive reader stopped (Zipage::LastFailure), naming the member
// where it can; dest is the folder it unpacked into.
std::string ZipageFailureText(const ZipageFailure& failure, const std::string& dest);
