#include "platform/RegistryText.h"

#include "platform/CodePageConverter.h"
#include "platform/WinReg.h"

namespace RegistryText {

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::string WideFromAnsi(const std::string& ansi, unsigned codePage) {
    std::u16string wide;
    bool invalid = false;
    CodePageConverter::ToUtf16(codePage, ansi.data(), ansi.size(), &wide, &invalid);
    return Bytes(wide);
}

std::string AnsiFromWide(const std::string& wide, unsigned codePage) {
    std::u16string units = Units(wide);
    std::string ansi;
    bool usedDefault = false;
    CodePageConverter::FromUtf16(codePage, units.data(), units.size(), &ansi, nullptr,
                                 &usedDefault);
    return ansi;
}

std::string Bytes(const std::u16string& text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::u16string Units(const std::string& bytes) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              static_cast<unsigned char>(bytes[i + 1]) << 8));
    return units;
}

} // namespace RegistryText
