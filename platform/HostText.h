// Text conversions at the edge between the Win32 interface and the host:
// host file names are UTF-8, "W" functions take UTF-16 and "A" functions the
// machine's ANSI code page. Internal to the platform layer.
#pragma once

#include "platform/WinTypes.h"

#include <string>

namespace HostText {

std::size_t WideLength(LPCWSTR text);

// UTF-16 to UTF-8 (a null text gives ""); unpaired surrogates become U+FFFD.
std::string FromWide(LPCWSTR text);
// ANSI code page to UTF-8 (a null text gives "").
std::string FromAnsi(LPCSTR text);
// UTF-8 to UTF-16.
std::u16string ToWide(const std::string& utf8);
// UTF-8 to the ANSI code page; characters it lacks become "?".
std::string ToAnsi(const std::string& utf8);

// Hands a text to a caller's buffer as GetWindowsDirectory and
// GetCurrentDirectory do: when it fits with its terminator, copies it and
// returns its length; otherwise writes nothing and returns the size needed,
// terminator included.
UINT ReturnA(const std::string& utf8, LPSTR buffer, UINT size);
UINT ReturnW(const std::string& utf8, LPWSTR buffer, UINT size);

} // namespace HostText
