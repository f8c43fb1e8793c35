#include "platform/HostText.h"

#include "platform/CodePageConverter.h"
#include "platform/WinBase.h"

#include <algorithm>
#include <cstring>

namespace HostText {

std::size_t WideLength(LPCWSTR text) {
    std::size_t length = 0;
    while (text && text[length])
        ++length;
    return length;
}

std::string FromWide(LPCWSTR text) {
    std::string out;
    bool usedDefault = false;
    if (text)
        CodePageConverter::FromUtf16(CP_UTF8, text, WideLength(text), &out, nullptr, &usedDefault);
    return out;
}

std::string FromAnsi(LPCSTR text) {
    if (!text)
        return std::string();
    std::u16string wide;
    bool hadInvalid = false;
    CodePageConverter::ToUtf16(CP_ACP, text, std::strlen(text), &wide, &hadInvalid);
    return FromWide(wide.c_str());
}

std::u16string ToWide(const std::string& utf8) {
    std::u16string out;
    bool hadInvalid = false;
    CodePageConverter::ToUtf16(CP_UTF8, utf8.data(), utf8.size(), &out, &hadInvalid);
    return out;
}

std::string ToAnsi(const std::string& utf8) {
    std::u16string wide = ToWide(utf8);
    std::string out;
    bool usedDefault = false;
    CodePageConverter::FromUtf16(CP_ACP, wide.data(), wide.size(), &out, nullptr, &usedDefault);
    return out;
}

template <typename Char>
static UINT Return(const std::basic_string<Char>& text, Char* buffer, UINT size) {
    if (!buffer || text.size() + 1 > size)
        return static_cast<UINT>(text.size() + 1);
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = 0;
    return static_cast<UINT>(text.size());
}

UINT ReturnA(const std::string& utf8, LPSTR buffer, UINT size) {
    return Return(ToAnsi(utf8), buffer, size);
}

UINT ReturnW(const std::string& utf8, LPWSTR buffer, UINT size) {
    return Return(ToWide(utf8), buffer, size);
}

} // namespace HostText
