// The bytes of a .LNK file in the published Shell Link binary format, written
// and read without the shell: the 76-byte header with the link class
// identifier, a LinkInfo block whose local base path names the target (in the
// ANSI code page, and in UTF-16 beside it), and the description as the
// NAME_STRING of the string data, in UTF-16. Nothing else of a link (item
// identifier list, arguments, working folder, icon, hot key) is written; the
// reader skips the item identifier list and ignores the other strings and the
// extra data blocks.
#pragma once

#include "platform/WinTypes.h"

#include <string>
#include <vector>

struct ShellLinkData {
    std::string ansiTargetPath;  // LocalBasePath, bytes of the ANSI code page
    std::u16string targetPath;   // LocalBasePathUnicode; empty when absent
    std::u16string description;  // NAME_STRING of a Unicode link; empty when absent
    std::string ansiDescription; // NAME_STRING of a link that is not Unicode (read only)
    DWORD fileAttributes = 0;    // of the target when the link was made
};

namespace ShellLinkFile {

constexpr DWORD kHeaderSize = 0x4C;

// The file's bytes. The LinkInfo block is left out when both target paths
// are empty, the name string when the description is; a target path or
// description longer than 65535 characters is cut there (the string data
// counts in 16 bits). The string data is always written in UTF-16.
std::vector<BYTE> Write(const ShellLinkData& link);

// Reads the bytes of a link. False, with *link untouched, when the header is
// not a shell link's (size, class identifier) or a block's sizes, offsets or
// counts do not fit the bytes that are there.
bool Read(const BYTE* bytes, std::size_t size, ShellLinkData* link);

} // namespace ShellLinkFile
