// TakeDisplayNamePath: the path of a display name the desktop folder gave.
#pragma once

#include "platform/ShlObj.h"

// Copies the parsing name in name into path (at most 260 characters with the
// terminator) whatever form the shell chose: a wide text, cut to fit and then
// freed with malloc; an ANSI text at an offset into pidl; or an ANSI text in
// name itself. An ANSI text whose conversion does not fit gives an empty
// path rather than a cut one, as does an unknown form.
void TakeDisplayNamePath(STRRET& name, LPCITEMIDLIST pidl, IMalloc* malloc, char16_t* path);
