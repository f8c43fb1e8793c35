#include "tools/kivtool/ToolText.h"

#include "platform/Windows.h"

std::string Utf8FromWide(const char16_t* wide) {
    char utf8[MAX_PATH * 4];
    if (!wide ||
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr) <= 0)
        return std::string();
    return utf8;
}

KIVString WideFromUtf8(const std::string& utf8) {
    char16_t wide[MAX_PATH];
    if (MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, MAX_PATH) <= 0)
        return KIVString();
    return KIVString(wide);
}
