// A path shown on one line that may be too long for it: the middle gives
// way to "...", so that the start (where it lies) and the end (the file's
// name) stay readable. The path is ANSI text of the machine's code page and
// is cut between whole characters only: a double-byte character is kept or
// dropped whole, never split into a lead byte without its trail.
#pragma once

#include "toolkit/KIVString.h"

class KIVFont;

// The path as wide text, whole when it fits width pixels in font, else cut
// in the middle with "..." to the longest text that fits (at the least
// "..." alone).
KIVString KIVPathEllipsis(const char* ansiPath, const KIVFont& font, int width);
