#include "toolkit/KIVUtf8.h"

#include "platform/Windows.h"

#include <vector>

std::string KIVUtf8FromWide(const char16_t* wide) {
    if (!wide || !*wide)
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(size - 1));
    return utf8;
}

KIVString KIVWideFromUtf8(const std::string& utf8) {
    if (utf8.empty())
        return KIVString();
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    if (size <= 1)
        return KIVString();
    std::vector<char16_t> wide(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), size);
    return KIVString(wide.data());
}
