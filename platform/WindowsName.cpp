#include "platform/WindowsName.h"

#include "platform/CodePageConverter.h"
#include "platform/WinBase.h"

#include <cstring>

namespace WindowsName {

bool Valid(const std::string& utf8) {
    if (utf8.empty() || utf8 == "." || utf8 == "..")
        return false;
    for (unsigned char c : utf8)
        if (c < 0x20 || std::strchr("\\/:*?\"<>|", c))
            return false;
    std::u16string wide;
    bool hadInvalid = false;
    return CodePageConverter::ToUtf16(CP_UTF8, utf8.data(), utf8.size(), &wide, &hadInvalid) &&
           !hadInvalid && wide.size() <= MAX_PATH - 1;
}

bool ValidAnsi(const std::string& utf8) {
    std::u16string wide;
    bool hadInvalid = false;
    if (!CodePageConverter::ToUtf16(CP_UTF8, utf8.data(), utf8.size(), &wide, &hadInvalid) ||
        hadInvalid)
        return false;
    std::string ansi;
    bool usedDefault = false;
    return CodePageConverter::FromUtf16(CP_ACP, wide.data(), wide.size(), &ansi, nullptr,
                                        &usedDefault) &&
           !usedDefault && ansi.size() <= MAX_PATH - 1;
}

} // namespace WindowsName
