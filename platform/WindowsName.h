// Whether a host file name can be handed to Windows code as the name of one
// folder entry. Linux allows names that Windows cannot have (a backslash, a
// colon, control characters, bytes that are not text); a path rebuilt from
// such a name would be split or read differently from the entry it came
// from, so the listings leave these entries out. Internal to the platform
// layer.
#pragma once

#include <string>

namespace WindowsName {

// True when utf8 is valid UTF-8, at most MAX_PATH - 1 UTF-16 units long, not
// "." or ".." and free of control characters and of \ / : * ? " < > |.
// "." and ".." themselves are answered by the caller, which knows whether
// the folder lists them.
bool Valid(const std::string& utf8);

// True when utf8 converts to the machine's ANSI code page without a
// replacement character and fits MAX_PATH - 1 bytes there: the "A" listing
// can only hand out a name that names the same entry again.
bool ValidAnsi(const std::string& utf8);

} // namespace WindowsName
