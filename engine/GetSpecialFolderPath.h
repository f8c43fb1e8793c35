// GetSpecialFolderPath: the path of one of the shell's special folders.
#pragma once

// Asks the shell for the item list of the folder csidl (CSIDL_PROGRAMS, ...)
// and the desktop folder for its parsing name, and copies it into path (at
// most 260 characters with the terminator; a longer name is cut). The name
// may come as a wide text (freed with the shell allocator), as an offset of
// an ANSI text in the item list or as an ANSI text. False, with path empty,
// when the folder is not known or has no name.
bool GetSpecialFolderPath(int csidl, char16_t* path);
