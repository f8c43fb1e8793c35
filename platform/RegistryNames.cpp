#include "platform/RegistryNames.h"

#include "platform/WinBase.h"
#include "platform/WinUser.h"

#include <algorithm>

namespace RegistryNames {
namespace {

unsigned char FoldAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
}

unsigned char Fold1252(unsigned char c) {
    if (c < 0x80)
        return FoldAscii(c);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    switch (c) {
    case 0x8A:
        return 0x9A; // S caron
    case 0x8C:
        return 0x9C; // OE
    case 0x8E:
        return 0x9E; // Z caron
    case 0x9F:
        return 0xFF; // Y diaeresis
    default:
        return c;
    }
}

// A double-byte character of code page 932 in its lower-case form.
unsigned FoldDouble932(unsigned code) {
    if (code >= 0x8260 && code <= 0x8279) // full-width A-Z
        return code + 0x21;
    if (code >= 0x839F && code <= 0x83B6) // Greek capitals
        return code + 0x20;
    if (code >= 0x8440 && code <= 0x8460) { // Cyrillic capitals; the small ones skip 0x847F
        unsigned index = code - 0x8440;
        return 0x8470 + index + (index >= 15 ? 1 : 0);
    }
    return code;
}

std::string Fold932(const std::string& name) {
    std::string out = name;
    for (std::size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (IsDBCSLeadByteEx(932, c) && i + 1 < out.size()) {
            unsigned code = FoldDouble932((c << 8) | static_cast<unsigned char>(out[i + 1]));
            out[i] = static_cast<char>(code >> 8);
            out[i + 1] = static_cast<char>(code & 0xFF);
            ++i;
        } else {
            out[i] = static_cast<char>(FoldAscii(c));
        }
    }
    return out;
}

} // namespace

std::string Fold(const std::string& name, unsigned codePage) {
    if (codePage == 932)
        return Fold932(name);
    std::string out = name;
    for (char& c : out)
        c = static_cast<char>(Fold1252(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string> SplitPath(const std::string& path, unsigned codePage) {
    std::vector<std::string> names(1);
    const char* const end = path.c_str() + path.size();
    for (const char* at = path.c_str(); at < end;) {
        // A null byte inside the name is a character of one byte.
        const char* next =
            std::max<const char*>(CharNextExA(static_cast<WORD>(codePage), at, 0), at + 1);
        if (next == at + 1 && *at == '\\')
            names.emplace_back();
        else
            names.back().append(at, next);
        at = next;
    }
    return names;
}

} // namespace RegistryNames
