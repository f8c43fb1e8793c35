#include "tools/kivtool/RcSource.h"

#include "tools/kivtool/ReadHostFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>

std::string RcError::Text() const {
    return file + (line > 0 ? ":" + std::to_string(line) : "") + ": error: " + message;
}

bool ReadSourceLines(const std::string& path, bool required, std::vector<RcLine>* lines,
                     RcError* error) {
    lines->clear();
    std::string bytes, reason;
    const HostFileRead read = ReadHostFile(path, kMaxRcSourceBytes, &bytes, &reason);
    if (read == HostFileRead::kCannotOpen) {
        *error = {path, 0, "cannot open the file"};
        return !required;
    }
    if (read != HostFileRead::kRead) {
        *error = {path, 0, reason};
        return false;
    }
    std::istringstream in(bytes);
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (number == 1 && text.rfind("\xEF\xBB\xBF", 0) == 0)
            text.erase(0, 3);
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        std::u16string check;
        if (!Utf16FromUtf8(text, &check)) {
            *error = {path, number, "not valid UTF-8"};
            return false;
        }
        const std::string trimmed = Trim(text);
        if (!trimmed.empty() && trimmed[0] != '#')
            lines->push_back({number, text});
    }
    return true;
}

namespace {

// The length of the UTF-8 sequence led by byte and the least code point it
// may encode; 0 for a byte that cannot lead.
int SequenceLength(unsigned char byte, char32_t* least) {
    if (byte < 0x80) {
        *least = 0;
        return 1;
    }
    if ((byte & 0xE0) == 0xC0) {
        *least = 0x80;
        return 2;
    }
    if ((byte & 0xF0) == 0xE0) {
        *least = 0x800;
        return 3;
    }
    if ((byte & 0xF8) == 0xF0) {
        *least = 0x10000;
        return 4;
    }
    return 0;
}

} // namespace

bool Utf16FromUtf8(const std::string& utf8, std::u16string* utf16) {
    utf16->clear();
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t least = 0;
        const int length = SequenceLength(static_cast<unsigned char>(utf8[i]), &least);
        if (length == 0 || i + static_cast<std::size_t>(length) > utf8.size())
            return false;
        char32_t code = length == 1 ? static_cast<unsigned char>(utf8[i])
                                    : static_cast<unsigned char>(utf8[i]) & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const unsigned char next =
                static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        if (code >= 0x10000) {
            utf16->push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            utf16->push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            utf16->push_back(static_cast<char16_t>(code));
        }
        i += static_cast<std::size_t>(length);
    }
    return true;
}

std::string Utf8FromUtf16(const std::u16string& utf16) {
    std::string out;
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t code = utf16[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] < 0xE000)
            code = 0x10000 + ((code - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        else if (code >= 0xD800 && code < 0xE000)
            code = 0xFFFD;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | code >> 18);
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool ParseLong(const std::string& text, std::int32_t* value) {
    if (text.empty())
        return false;
    const std::size_t digits = text[0] == '-' ? 1 : 0;
    const bool hex = text.compare(digits, 2, "0x") == 0 || text.compare(digits, 2, "0X") == 0;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, hex ? 16 : 10);
    if (errno != 0 || *end != '\0' || parsed < INT32_MIN || parsed > 0xFFFFFFFFLL)
        return false;
    *value = static_cast<std::int32_t>(static_cast<std::uint32_t>(parsed));
    return true;
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

void RcBytes::Long(std::int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
}

void RcBytes::Units(const std::u16string& text) {
    for (char16_t ch : text) {
        bytes.push_back(static_cast<std::uint8_t>(ch));
        bytes.push_back(static_cast<std::uint8_t>(ch >> 8));
    }
}

void RcBytes::Append(const std::vector<std::uint8_t>& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
}

void RcBytes::PutLong(std::size_t at, std::int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
}
