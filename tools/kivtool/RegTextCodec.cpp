#include "tools/kivtool/RegTextCodec.h"

#include "platform/RegistryText.h"
#include "platform/Windows.h"

namespace RegTextCodec {
namespace {

bool ToWide(UINT codePage, DWORD flags, const std::string& text, std::u16string* wide) {
    wide->clear();
    if (text.empty())
        return true;
    int size = static_cast<int>(text.size());
    int count = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (count <= 0)
        return false;
    wide->resize(static_cast<std::size_t>(count));
    return MultiByteToWideChar(codePage, flags, text.data(), size, wide->data(), count) == count;
}

bool FromWide(UINT codePage, const std::u16string& wide, std::string* text) {
    text->clear();
    if (wide.empty())
        return true;
    int size = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    BOOL* check = codePage == CP_UTF8 ? nullptr : &usedDefault;
    int count = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, check);
    if (count <= 0 || usedDefault)
        return false;
    text->resize(static_cast<std::size_t>(count));
    return WideCharToMultiByte(codePage, 0, wide.data(), size, text->data(), count, nullptr,
                               check) == count &&
           !usedDefault;
}

} // namespace

bool AnsiToUtf8(const std::string& ansi, std::string* utf8) {
    std::u16string wide;
    std::string back;
    return ToWide(CP_ACP, MB_ERR_INVALID_CHARS, ansi, &wide) && FromWide(CP_UTF8, wide, utf8) &&
           FromWide(CP_ACP, wide, &back) && back == ansi;
}

bool Utf8ToAnsi(const std::string& utf8, std::string* ansi) {
    std::u16string wide;
    return ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, &wide) && FromWide(CP_ACP, wide, ansi);
}

std::string AnsiToUtf16Le(const std::string& ansi) {
    std::u16string wide;
    ToWide(CP_ACP, 0, ansi, &wide);
    return RegistryText::Bytes(wide);
}

static bool WideFromLe(const std::string& bytes, std::u16string* wide) {
    if (bytes.size() % 2)
        return false;
    *wide = RegistryText::Units(bytes);
    return true;
}

bool Utf16LeToAnsi(const std::string& bytes, std::string* ansi) {
    std::u16string wide;
    return WideFromLe(bytes, &wide) && FromWide(CP_ACP, wide, ansi);
}

bool Utf16LeToUtf8(const std::string& bytes, std::string* utf8) {
    std::u16string wide;
    return WideFromLe(bytes, &wide) && FromWide(CP_UTF8, wide, utf8);
}

bool Utf8ToUtf16Le(const std::string& utf8, std::string* bytes) {
    std::u16string wide;
    if (!ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, &wide))
        return false;
    *bytes = RegistryText::Bytes(wide);
    return true;
}

std::string Quote(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out.push_back('\\');
        out.push_back(c);
    }
    return out + "\"";
}

std::string HexList(const std::string& bytes, std::size_t prefixLength) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    std::size_t column = prefixLength;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto byte = static_cast<unsigned char>(bytes[i]);
        out.push_back(kDigits[byte >> 4]);
        out.push_back(kDigits[byte & 15]);
        column += 2;
        if (i + 1 == bytes.size())
            break;
        out.push_back(',');
        ++column;
        if (column > 76) {
            out += "\\\n  ";
            column = 2;
        }
    }
    return out;
}

} // namespace RegTextCodec
