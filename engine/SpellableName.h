// Whether a file name can be written in an ANSI code page and read back
// unchanged. The uninstall record and the journal keep every path as ANSI
// text: a file whose name does not come back the same from that text is one
// that the uninstaller can never name again, so the setup refuses to make it.
#pragma once

#include "platform/WinTypes.h"

// ANSI bytes (an archive member's name as stored) that are valid text in
// codePage (CP_ACP: the machine's) and give back the same bytes when the
// text is converted back: no invalid double-byte sequence, no lone lead byte.
bool IsSpellableAnsiName(UINT codePage, const char* name);

// A wide name every character of which codePage holds, so that its ANSI
// form converts back to the same name. An empty name is spelled by both.
bool IsSpellableWideName(UINT codePage, const char16_t* name);
