#include "tools/kivtool/DistLicenceText.h"

#include "platform/Windows.h"

#include <algorithm>
#include <vector>

namespace {

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (char c : text) {
        if (c == '\n' && (out.empty() || out.back() != '\r'))
            out += '\r';
        out += c;
    }
    return out;
}

// The line of the first byte that is not part of UTF-8 text.
int BadLine(const std::string& text) {
    int line = 1;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const int length = c < 0x80         ? 1
                           : (c >> 5) == 6  ? 2
                           : (c >> 4) == 14 ? 3
                           : (c >> 3) == 30 ? 4
                                            : 0;
        if (length == 0 || i + length > text.size() ||
            MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data() + i, length, nullptr,
                                0) <= 0)
            return line;
        line += c == '\n';
        i += static_cast<std::size_t>(length);
    }
    return 0;
}

} // namespace

bool LicencePageText(const std::string& bytes, std::string* out, std::string* error) {
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') {
        *out = bytes;
        return true;
    }
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        *out = bytes;
        for (std::size_t i = 0; i + 1 < out->size(); i += 2)
            std::swap((*out)[i], (*out)[i + 1]);
        return true;
    }
    const std::string text =
        WithCrLf(bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes);
    if (!text.empty() && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                             static_cast<int>(text.size()), nullptr, 0) <= 0) {
        const int line = BadLine(text);
        *error =
            "the licence is not UTF-8 text (line " + std::to_string(line) + "); save it as UTF-8";
        return false;
    }
    out->assign("\xFE\xFF", 2);
    if (text.empty())
        return true;
    std::vector<char16_t> wide(text.size() + 1);
    const int count = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                          wide.data(), static_cast<int>(wide.size()));
    for (int i = 0; i < count; ++i) {
        out->push_back(static_cast<char>(wide[static_cast<std::size_t>(i)] >> 8));
        out->push_back(static_cast<char>(wide[static_cast<std::size_t>(i)] & 0xFF));
    }
    return true;
}
