// Whether a name from the setup description names one entry directly inside
// the folder it is joined to: not empty, not "." or "..", and free of "\",
// "/" and ":". A shortcut name, the program group name or the product
// program name that fails this would put a link, or point a line of the
// uninstall record, outside its folder. The text is
// checked after its conversion from ANSI, so that a trail byte 0x5C of a
// double-byte character is not taken for a backslash.
#pragma once

class KIVString;

bool IsPlainName(const KIVString& name);

// Whether a shortcut's target file names a file inside its entry's folder:
// plain names (as above) joined by "\", so "Tools\tool.exe" is one (the
// link holds a Windows path: "/" stays refused). Never empty, absolute, on
// a drive, or with a "." or ".." component. The target is only text inside
// the link: the shortcut's name alone decides where a file is written, and
// stays a plain name.
bool IsInnerPath(const KIVString& path);
