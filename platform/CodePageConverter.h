// Conversions between a Windows code page and UTF-16 through iconv, with
// replacement characters for whatever cannot be converted. Internal to the
// platform layer: the Win32 entry points (MultiByteToWideChar,
// WideCharToMultiByte) and the path helpers (HostText.h) sit on top of it.
#pragma once

#include "platform/WinTypes.h"

#include <cstddef>
#include <string>

class CodePageConverter {
public:
    // CP_ACP becomes the machine's ANSI code page; others are returned as given.
    static UINT Resolve(UINT codePage);

    // Converts size bytes in codePage to UTF-16. A byte sequence that is not
    // valid in the code page becomes U+FFFD and sets *hadInvalid. Returns
    // false when the code page is not supported.
    static bool ToUtf16(UINT codePage, const char* in, std::size_t size, std::u16string* out,
                        bool* hadInvalid);

    // Converts size UTF-16 units to codePage. A character the code page lacks
    // (or an unpaired surrogate) becomes defaultChar ('?' when null; U+FFFD
    // for UTF-8) and sets *usedDefault. Returns false when the code page is
    // not supported.
    static bool FromUtf16(UINT codePage, const char16_t* in, std::size_t size, std::string* out,
                          const char* defaultChar, bool* usedDefault);

    // The longest prefix of text, at most limit bytes, that does not end
    // inside a multi-byte character of codePage.
    static std::size_t CutLength(UINT codePage, const std::string& text, std::size_t limit);
};
