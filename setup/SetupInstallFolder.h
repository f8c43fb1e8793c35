// The installation folder a setup may use, whatever gave it: the setup type
// page, /D, a response file, kivtool install --dest, the registry's program
// files folder or an earlier installation read back.
#pragma once

#include <string>

// True when folder is an absolute path on a drive of the machine other than
// Z: (the host outside the machine, which the setup only reads), of at most
// MAX_PATH - 1 characters, without "." or ".." components. Otherwise false
// with *reason, in English for a log or a tool's message, saying why.
bool IsInstallFolderPath(const char16_t* folder, std::string* reason);
