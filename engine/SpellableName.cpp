#include "engine/SpellableName.h"

#include "platform/Windows.h"

#include <string>

namespace {

// The ANSI form of a wide name, empty when the code page lacks one of its
// characters.
std::string AnsiOf(UINT codePage, const std::u16string& wide) {
    const int size = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, &usedDefault);
    std::string ansi(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length <= 0 ||
        WideCharToMultiByte(codePage, 0, wide.data(), size, ansi.data(), length, nullptr,
                            &usedDefault) != length ||
        usedDefault)
        return std::string();
    return ansi;
}

// The wide form of ANSI bytes, empty when they are no valid text.
std::u16string WideOf(UINT codePage, const std::string& ansi) {
    const int size = static_cast<int>(ansi.size());
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, ansi.data(), size, nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(length > 0 ? length : 0), u'\0');
    if (length <= 0 || MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, ansi.data(), size,
                                           wide.data(), length) != length)
        return std::u16string();
    return wide;
}

} // namespace

bool IsSpellableAnsiName(UINT codePage, const char* name) {
    const std::string ansi = name ? name : "";
    return AnsiOf(codePage, WideOf(codePage, ansi)) == ansi;
}

bool IsSpellableWideName(UINT codePage, const char16_t* name) {
    const std::u16string wide = name ? name : u"";
    return WideOf(codePage, AnsiOf(codePage, wide)) == wide;
}
