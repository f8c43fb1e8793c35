// The licence text as the setup's licence page reads it: 16-bit characters,
// most significant byte first, after the byte-order mark FE FF, lines ended
// by CR LF. A vendor keeps the licence in UTF-8 (with or without its mark);
// a file already in UTF-16 with its mark is taken as it is (big-endian) or
// turned around (little-endian).
#pragma once

#include <string>

// The licence page's form of bytes; false with *error when they are not
// UTF-8 text (naming the line).
bool LicencePageText(const std::string& bytes, std::string* out, std::string* error);
