#include "tools/kivtool/RegTextQuery.h"

#include "tools/kivtool/RegTextCodec.h"

#include <cinttypes>
#include <cstdio>

namespace RegTextQuery {
namespace {

std::string Utf8(const std::string& ansi) {
    std::string utf8;
    return RegTextCodec::AnsiToUtf8(ansi, &utf8) ? utf8 : ansi;
}

std::uint64_t LittleEndian(const std::string& bytes) {
    std::uint64_t number = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        number = number << 8 | static_cast<unsigned char>(bytes[i]);
    return number;
}

// Text data as UTF-8, its NULs kept: from UTF-16LE when the registry keeps
// text so, else from ANSI; the bytes as they are when they do not convert.
std::string TextData(const std::string& data, bool wideText) {
    std::string utf8;
    if (!wideText)
        return Utf8(data);
    return RegTextCodec::Utf16LeToUtf8(data, &utf8) ? utf8 : data;
}

std::string MultiText(const std::string& data) {
    std::string out;
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t end = std::min(data.find('\0', start), data.size());
        if (end == start)
            break; // the empty string that ends the list
        if (!out.empty())
            out += "\\0";
        out += data.substr(start, end - start);
        start = end + 1;
    }
    return out;
}

} // namespace

std::string TypeName(DWORD type) {
    static const char* const kNames[] = {"REG_NONE",   "REG_SZ",      "REG_EXPAND_SZ",
                                         "REG_BINARY", "REG_DWORD",   "REG_DWORD_BIG_ENDIAN",
                                         "REG_LINK",   "REG_MULTI_SZ"};
    if (type < sizeof kNames / sizeof kNames[0])
        return kNames[type];
    if (type == REG_QWORD)
        return "REG_QWORD";
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(type));
    return text;
}

std::string DataText(const RegistryValue& value, bool wideText) {
    const std::string& data = value.data;
    char number[24];
    switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        std::string text = TextData(data, wideText);
        return text.substr(0, text.find('\0'));
    }
    case REG_MULTI_SZ:
        return MultiText(TextData(data, wideText));
    case REG_DWORD:
    case REG_QWORD:
        if (data.size() == (value.type == REG_DWORD ? 4u : 8u)) {
            std::snprintf(number, sizeof number, "0x%" PRIx64, LittleEndian(data));
            return number;
        }
        break;
    default:
        break;
    }
    std::string hex;
    for (char c : data) {
        std::snprintf(number, sizeof number, "%02X", static_cast<unsigned char>(c));
        hex += number;
    }
    return hex;
}

std::string ValueLine(const RegistryValue& value, bool wideText) {
    std::string name = value.name.empty() ? "(Default)" : Utf8(value.name);
    return "    " + name + "    " + TypeName(value.type) + "    " + DataText(value, wideText);
}

} // namespace RegTextQuery
