#include "platform/CaseFold.h"

#include <cstddef>

namespace CaseFold {
namespace {

char32_t FoldCodePoint(char32_t c) {
    if (c >= 'A' && c <= 'Z')
        return c + 0x20;
    if (c < 0xC0)
        return c;
    if (c <= 0xDE && c != 0xD7)
        return c + 0x20;
    if (c >= 0x100 && c <= 0x137 && c % 2 == 0)
        return c + 1;
    if (c >= 0x139 && c <= 0x148 && c % 2 == 1)
        return c + 1;
    if (c >= 0x14A && c <= 0x177 && c % 2 == 0)
        return c + 1;
    if (c == 0x178)
        return 0xFF;
    if ((c == 0x179 || c == 0x17B || c == 0x17D))
        return c + 1;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return c + 0x20;
    if (c >= 0x410 && c <= 0x42F)
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (c >= 0xFF21 && c <= 0xFF3A) // full-width Latin
        return c + 0x20;
    return c;
}

// Decodes one UTF-8 character at text[*i]; an invalid byte stands for itself.
char32_t Decode(const std::string& text, std::size_t* i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(*i);
    std::size_t length = lead < 0x80         ? 1
                         : (lead >> 5) == 6  ? 2
                         : (lead >> 4) == 14 ? 3
                         : (lead >> 3) == 30 ? 4
                                             : 0;
    if (length <= 1 || *i + length > text.size()) {
        ++*i;
        return lead;
    }
    char32_t c = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(*i + k) & 0xC0) != 0x80) {
            ++*i;
            return lead;
        }
        c = (c << 6) | (byte(*i + k) & 0x3F);
    }
    *i += length;
    return c;
}

bool Match(const std::u32string& p, std::size_t pi, const std::u32string& n, std::size_t ni) {
    // Iterative matching with one backtrack point for the last "*".
    std::size_t starP = std::u32string::npos, starN = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == U'?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (pi < p.size() && p[pi] == U'*') {
            starP = pi++;
            starN = ni;
        } else if (starP != std::u32string::npos) {
            pi = starP + 1;
            ni = ++starN;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == U'*')
        ++pi;
    return pi == p.size();
}

} // namespace

std::u32string Fold(const std::string& utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();)
        out += FoldCodePoint(Decode(utf8, &i));
    return out;
}

bool Equal(const std::string& a, const std::string& b) {
    return a == b || Fold(a) == Fold(b);
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*" || pattern == "*")
        return true;
    std::u32string p = Fold(pattern);
    std::u32string n = Fold(name);
    // "name.*" also matches "name" without an extension, as on Windows.
    if (p.size() >= 2 && p.compare(p.size() - 2, 2, U".*") == 0 &&
        Match(p.substr(0, p.size() - 2), 0, n, 0))
        return true;
    return Match(p, 0, n, 0);
}

} // namespace CaseFold
