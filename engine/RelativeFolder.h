// Folders that a setup description names relative to another folder (an
// install entry's destination, joined to the installation or staging
// folder): whether such a name stays inside the folder it is joined to.
#pragma once

// True when relative (ANSI text in the machine's code page) has no drive, does
// not start with a separator and has no ".." component, so that joined to a
// folder it names that folder or one beneath it. Both separators count; the
// name is walked by characters, so that the trail byte of a double-byte
// character is never taken for a separator.
bool StaysInsideFolder(const char* relative);
