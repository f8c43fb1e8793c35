#include "toolkit/KIVRegistryFileText.h"

#include <algorithm>

namespace KIVRegistryFileText {
namespace {

void AppendWithoutBreaks(std::string* out, const std::string& text, std::size_t from,
                         std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        if (text[i] != '\r' && text[i] != '\n')
            out->push_back(text[i]);
    out->append(kLineEnd);
}

} // namespace

std::size_t NextLine(const std::string& content, std::size_t pos) {
    if (pos >= content.size())
        return content.size();
    std::size_t end = content.find('\n', pos);
    return end == std::string::npos ? content.size() : end + 1;
}

std::size_t TextEnd(const std::string& content, std::size_t pos) {
    while (pos < content.size() && content[pos] != '\r' && content[pos] != '\n')
        ++pos;
    return pos;
}

std::string LineText(const std::string& content, std::size_t pos) {
    if (pos >= content.size())
        return std::string();
    return content.substr(pos, TextEnd(content, pos) - pos);
}

bool LineStartsWith(const std::string& content, std::size_t pos, char c) {
    return pos < content.size() && content[pos] == c;
}

std::string CutBehindLast(const std::string& text, char mark) {
    std::size_t last = text.rfind(mark);
    return last == std::string::npos ? text : text.substr(0, last + 1);
}

void AppendLine(std::string* out, const std::string& text) {
    AppendWithoutBreaks(out, text, 0, text.size());
}

// Copies the lines in place, without building each apart: the file is
// rewritten whole on every change.
void AppendLines(std::string* out, const std::string& content, std::size_t from, std::size_t to) {
    to = std::min(to, content.size());
    while (from < to) {
        std::size_t end = std::min(NextLine(content, from), to);
        AppendWithoutBreaks(out, content, from, end);
        from = end;
    }
}

} // namespace KIVRegistryFileText
