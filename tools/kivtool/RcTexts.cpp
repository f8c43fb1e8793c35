#include "tools/kivtool/RcTexts.h"

namespace {

bool Unescape(const std::string& raw, std::string* text) {
    text->clear();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            *text += raw[i];
            continue;
        }
        if (++i == raw.size())
            return false;
        switch (raw[i]) {
        case 'n':
            *text += '\n';
            break;
        case 'r':
            *text += '\r';
            break;
        case 't':
            *text += '\t';
            break;
        case 's':
            *text += ' ';
            break;
        case '\\':
            *text += '\\';
            break;
        default:
            return false;
        }
    }
    return true;
}

bool ReadText(const std::string& path, const RcLine& line, RcTexts* texts, RcError* error) {
    const std::size_t equals = line.text.find('=');
    std::int32_t id = -1;
    std::string text;
    std::u16string wide;
    if (equals == std::string::npos || !ParseLong(Trim(line.text.substr(0, equals)), &id)) {
        *error = {path, line.number, "expected ID = TEXT"};
        return false;
    }
    if (id < 0 || id > kRcMaxIdentifier || texts->count(id)) {
        *error = {path, line.number,
                  "text identifier " + std::to_string(id) +
                      (texts->count(id) ? " given twice" : " is outside 0..65535")};
        return false;
    }
    if (!Unescape(Trim(line.text.substr(equals + 1)), &text) || !Utf16FromUtf8(text, &wide)) {
        *error = {path, line.number, "unknown escape (use \\n \\r \\t \\s \\\\)"};
        return false;
    }
    if (wide.size() > kRcMaxTextChars) {
        *error = {path, line.number,
                  "text " + std::to_string(id) + " has " + std::to_string(wide.size()) +
                      " characters, more than 9999"};
        return false;
    }
    (*texts)[id] = {wide, line.number};
    return true;
}

bool IsOneOf(char16_t ch, const char* set) {
    for (; *set; ++set)
        if (ch == static_cast<char16_t>(*set))
            return true;
    return false;
}

std::string Join(const std::vector<std::string>& arguments) {
    std::string joined;
    for (const std::string& argument : arguments)
        joined += (joined.empty() ? "%" : " %") + argument;
    return joined.empty() ? "none" : joined;
}

} // namespace

bool ReadTexts(const std::string& path, RcTexts* texts, RcError* error) {
    std::vector<RcLine> lines;
    if (!ReadSourceLines(path, true, &lines, error))
        return false;
    texts->clear();
    for (const RcLine& line : lines)
        if (!ReadText(path, line, texts, error))
            return false;
    return true;
}

std::vector<std::string> FormatArguments(const std::u16string& text) {
    std::vector<std::string> arguments;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%')
            continue;
        if (i + 1 < text.size() && text[i + 1] == u'%') {
            ++i;
            continue;
        }
        std::string argument;
        std::size_t k = i + 1;
        while (k < text.size() && IsOneOf(text[k], "-+ #0"))
            ++k;
        for (; k < text.size() && (IsOneOf(text[k], "0123456789.*hlLwI6")); ++k)
            if (IsOneOf(text[k], "*hlLwI6"))
                argument += static_cast<char>(text[k]);
        if (k < text.size())
            argument += static_cast<char>(text[k] < 128 ? text[k] : '?');
        arguments.push_back(argument);
        i = k;
    }
    return arguments;
}

bool CheckArgumentsAgainst(const std::string& path, const RcTexts& texts, const RcTexts& english,
                           RcError* error) {
    for (const auto& [id, text] : texts) {
        auto found = english.find(id);
        if (found == english.end())
            continue;
        const auto mine = FormatArguments(text.text);
        const auto theirs = FormatArguments(found->second.text);
        if (mine != theirs) {
            *error = {path, text.line,
                      "text " + std::to_string(id) + " takes " + Join(mine) +
                          " but the English text takes " + Join(theirs)};
            return false;
        }
    }
    return true;
}
