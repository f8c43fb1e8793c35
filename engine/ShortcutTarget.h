// What a shell link file on the machine points at, for an uninstallation
// that removes only the links to its own programs.
#pragma once

#include <string>

// The ANSI target path of the shell link file at path (a Windows path);
// empty when the file is missing, larger than 1 MiB or no shell link.
std::string ShortcutTarget(const std::string& path);
