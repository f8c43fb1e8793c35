// The replacements left for the next start of Windows, kept where Windows
// keeps them: the REG_MULTI_SZ value PendingFileRenameOperations of
// HKEY_LOCAL_MACHINE "SYSTEM\CurrentControlSet\Control\Session Manager",
// pairs of texts in the order they were made: "\??\" and the full path of the
// source, then the target the same way (preceded by "!" when an existing
// target is to be replaced), or an empty text to delete the source. Texts are
// in the ANSI code page, as the registry's "A" calls keep them.
//
// The value is read, changed and written through the registry's Win32 calls
// under a lock file in the machine root, so that two processes scheduling at
// once, or a restart running meanwhile, never lose a pair. Internal to the
// platform layer.
#pragma once

#include "platform/WinBase.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// One pair as a restart reads it.
struct PendingRename {
    std::string source; // a Windows path of the machine, without "\??\"
    std::string target; // likewise; empty to delete the source
    bool replace = false;
    bool valid = true; // false when a path lacks the "\??\" form
};

namespace PendingRenames {

using Texts = std::pair<std::string, std::string>; // a pair as stored

// Appends one pair of Windows paths (ANSI; target empty to delete the
// source); ERROR_SUCCESS or the registry's error (ERROR_ACCESS_DENIED for a
// user who is not an administrator).
DWORD Append(const std::string& source, const std::string& target, bool replace);

// Calls apply for each pair in order, then removes the value. ERROR_SUCCESS
// also when there is none; the registry's error when the value cannot be
// read or removed (when it cannot be opened for removal, nothing is
// applied).
DWORD Run(const std::function<void(const PendingRename&)>& apply);

// The pairs of a value's data (a pair cut short by the end of the data, and
// pairs with an empty source, are dropped), the data of pairs, and what a
// stored pair asks for.
std::vector<Texts> Split(const std::string& data);
std::string Join(const std::vector<Texts>& pairs);
PendingRename Interpret(const Texts& pair);

} // namespace PendingRenames
