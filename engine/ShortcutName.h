// Whether a name from the setup description names one entry directly inside
// the folder it is joined to: not empty, not "." or "..", and free of "\",
// "/" and ":". A shortcut name, a shortcut's target file, the program group
// name or the product program name that fails this would put a link, or
// point a line of the uninstall record, outside its folder. The text is
// checked after its conversion from ANSI, so that a trail byte 0x5C of a
// double-byte character is not taken for a backslash.
#pragma once

class KIVString;

bool IsPlainName(const KIVString& name);
