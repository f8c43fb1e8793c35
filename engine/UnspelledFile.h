// A file that an uninstall record names with "?" in place of characters the
// machine's code page could not spell (an older setup wrote the record
// through a lossy conversion). No ANSI call can open such a path: "?" is
// no character of a file name. The file is found again by its wide name,
// among the entries of its folder.
#pragma once

#include <string>

// Whether the file name at the end of path (ANSI) holds a "?".
bool IsUnspelledPath(const std::string& path);

// How the search for the file behind an unspelled path ended.
enum class UnspelledMatch {
    kNone,    // no entry of the folder reads as the path: it is gone
    kOne,     // exactly one: *wide holds its full path
    kSeveral, // more than one reads as the path: which one is meant is unknown
};

// Looks in the path's folder for the entries whose name, converted to the
// machine's ANSI code page with "?" for what it cannot spell, is the path's
// name (compared without regard to case, as the machine names files).
UnspelledMatch FindUnspelledFile(const std::string& path, std::u16string* wide);
