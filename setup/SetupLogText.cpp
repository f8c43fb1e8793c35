#include "setup/SetupLogText.h"

#include "platform/Windows.h"

#include <cstdio>
#include <vector>

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD"; // U+FFFD

} // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
    const unsigned char second = byte(1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

namespace {

void AppendEscaped(std::string* out, unsigned char c) {
    static const char kShort[] = "btn\0fr";
    if (c >= '\b' && c <= '\r' && c != '\v') {
        *out += '\\';
        *out += kShort[c - '\b'];
        return;
    }
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", c);
    *out += escape;
}

} // namespace

std::string JsonQuoted(std::string_view text) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            AppendEscaped(&out, c);
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (std::size_t length = Utf8SequenceLength(text, i)) {
            out.append(text.substr(i, length));
            i += length;
            continue;
        } else {
            out += kReplacement;
        }
        ++i;
    }
    return out + "\"";
}

std::string LogTextFromWide(const char16_t* text) {
    if (!text)
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::vector<char> utf8(static_cast<std::size_t>(size));
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    return std::string(utf8.data());
}

std::string LogTextFromAnsi(const char* text) {
    if (!text)
        return std::string();
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1)
        return std::string();
    std::vector<char16_t> wide(static_cast<std::size_t>(size));
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
    return LogTextFromWide(wide.data());
}
