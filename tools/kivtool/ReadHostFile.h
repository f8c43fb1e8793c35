// ReadHostFile: the whole of a host file that a command takes as input, read
// only up to the command's stated maximum. One byte more is read to tell a
// file at the limit from a larger one, so a file that never ends
// (/dev/zero, a pipe that keeps writing) is refused like any large file; a
// failed allocation is reported as such, never taken for an empty file.
#pragma once

#include <cstddef>
#include <string>

enum class HostFileRead {
    kRead,
    kCannotOpen, // *error says why (errno's text)
    kTooLarge,   // larger than maxBytes
    kFailed,     // a read failed, or memory ran out
};

// Fills *bytes with the file's content; else *error holds a reason that
// names neither the file nor the command ("larger than 16 MiB").
HostFileRead ReadHostFile(const std::string& path, std::size_t maxBytes, std::string* bytes,
                          std::string* error);

// "16 MiB", "512 KiB" or "100 bytes": a limit as a person reads it.
std::string ByteSizeText(std::size_t bytes);
