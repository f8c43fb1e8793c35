// Text values of the system registry (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ)
// in the two forms the store may keep them in: the NT family keeps UTF-16LE,
// so that every character survives whatever the machine's code page; the
// older family keeps the bytes of its ANSI code page. The "A" calls convert
// at the edge. Internal to the platform layer.
#pragma once

#include "platform/WinTypes.h"

#include <string>

namespace RegistryText {

bool IsText(DWORD type);

// ANSI bytes (NULs included) to UTF-16LE bytes; a byte sequence that is not
// text of the code page becomes U+FFFD.
std::string WideFromAnsi(const std::string& ansi, unsigned codePage);
// UTF-16LE bytes to ANSI; a character the code page lacks becomes "?" (as
// the NT family's "A" calls give it). A last odd byte is dropped.
std::string AnsiFromWide(const std::string& wide, unsigned codePage);
// UTF-16 text to its UTF-16LE bytes, and back (a last odd byte is dropped).
std::string Bytes(const std::u16string& text);
std::u16string Units(const std::string& bytes);

} // namespace RegistryText
