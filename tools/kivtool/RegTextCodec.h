// Text conversions of the registry text format. The registry keeps names in
// the machine's ANSI code page, and text values in UTF-16LE on the NT family
// or in the code page on the older one; a .reg file is UTF-16LE with its
// byte-order mark as the registry editor writes it, or UTF-8, and its
// hex(1), hex(2) and hex(7) data hold UTF-16LE as Windows writes them.
#pragma once

#include <string>

namespace RegTextCodec {

// ANSI to UTF-8. False when a byte has no character in the code page or the
// text would not convert back to the same bytes.
bool AnsiToUtf8(const std::string& ansi, std::string* utf8);
// UTF-8 to ANSI. False when the text is not UTF-8 or holds a character the
// code page lacks.
bool Utf8ToAnsi(const std::string& utf8, std::string* ansi);
// ANSI bytes (NULs included) to UTF-16LE bytes.
std::string AnsiToUtf16Le(const std::string& ansi);
// UTF-16LE bytes to ANSI; false for an odd byte count or a missing character.
bool Utf16LeToAnsi(const std::string& bytes, std::string* ansi);
// A UTF-16LE file's content to UTF-8 (for files saved by Windows tools).
bool Utf16LeToUtf8(const std::string& bytes, std::string* utf8);
// UTF-8 to UTF-16LE bytes; false when the text is not UTF-8.
bool Utf8ToUtf16Le(const std::string& utf8, std::string* bytes);

// "text" with "\" and "\"" escaped by a backslash, in quotes.
std::string Quote(const std::string& text);
// Comma-separated two-digit hex bytes, lines wrapped with "\" as Windows
// wraps them (prefixLength: the characters before the first byte).
std::string HexList(const std::string& bytes, std::size_t prefixLength);

} // namespace RegTextCodec
