#include "toolkit/KIVRegistryFileText.h"

#include <algorithm>

namespace KIVRegistryFileText {

std::size_t NextLine(const std::string& content, std::size_t pos) {
    if (pos >= content.size())
        return content.size();
    std::size_t end = content.find('\n', pos);
    return end == std::string::npos ? content.size() : end + 1;
}

std::string LineText(const std::string& content, std::size_t pos) {
    if (pos >= content.size())
        return std::string();
    std::size_t end = content.find_first_of("\r\n", pos);
    if (end == std::string::npos)
        end = content.size();
    return content.substr(pos, end - pos);
}

std::string CutBehindLast(const std::string& text, char mark) {
    std::size_t last = text.rfind(mark);
    return last == std::string::npos ? text : text.substr(0, last + 1);
}

void AppendLine(std::string* out, const std::string& text) {
    for (char c : text)
        if (c != '\r' && c != '\n')
            out->push_back(c);
    out->append(kLineEnd);
}

void AppendLines(std::string* out, const std::string& content, std::size_t from, std::size_t to) {
    to = std::min(to, content.size());
    while (from < to) {
        std::size_t end = std::min(NextLine(content, from), to);
        AppendLine(out, content.substr(from, end - from));
        from = end;
    }
}

} // namespace KIVRegistryFileText
