// ReadShellFolderValue: one value of the shell's "Shell Folders" key, where
// the Start menu folders of the machine are named.
#pragma once

#include "platform/WinReg.h"

class KIVString;

// Reads the value valueName of root\Software\Microsoft\Windows\CurrentVersion
// \Explorer\Shell Folders (KEY_QUERY_VALUE) into a 260-byte buffer and gives
// it as *path. False when the key does not open, the query fails or the text
// is empty: an empty folder name would put the group at the drive's root.
bool ReadShellFolderValue(HKEY root, const char* valueName, KIVString* path);
