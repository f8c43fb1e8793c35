#include "tools/kivtool/DistIni.h"
#include "tools/kivtool/ReadHostFile.h"

#include <sstream>

namespace {
std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The line without its comment: "#" at the start or after a blank.
std::string WithoutComment(const std::string& line) {
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t'))
            return line.substr(0, i);
    return line;
}

bool ReadSection(const std::string& text, int number, DistIniSection* section,
                 std::vector<DistError>* errors) {
    if (text.back() != ']' || text.size() < 3) {
        errors->push_back({number, "a section line is \"[kind name]\""});
        return false;
    }
    const std::string inside = Trim(text.substr(1, text.size() - 2));
    const std::size_t blank = inside.find_first_of(" \t");
    section->line = number;
    section->kind = inside.substr(0, blank);
    section->name = blank == std::string::npos ? "" : Trim(inside.substr(blank));
    return true;
}
} // namespace

bool ReadDistIni(const std::string& path, std::vector<DistIniSection>* sections,
                 std::vector<DistError>* errors) {
    std::string bytes, reason;
    if (ReadHostFile(path, kMaxDistProjectBytes, &bytes, &reason) != HostFileRead::kRead) {
        errors->push_back({0, "cannot read the project file: " + reason});
        return false;
    }
    std::istringstream in(bytes);
    const std::size_t before = errors->size();
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
        const std::string text = Trim(WithoutComment(raw));
        if (text.empty())
            continue;
        if (text[0] == '[') {
            DistIniSection section;
            if (ReadSection(text, number, &section, errors))
                sections->push_back(std::move(section));
            continue;
        }
        const std::size_t equals = text.find('=');
        if (equals == std::string::npos || equals == 0)
            errors->push_back({number, "expected \"key = value\", \"[section]\" or a # comment"});
        else if (sections->empty())
            errors->push_back({number, "a key before the first [section]"});
        else
            sections->back().keys.push_back(
                {number, Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))});
    }
    return errors->size() == before;
}

std::vector<std::string> DistList(const std::string& value) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= value.size()) {
        std::size_t comma = value.find(',', start);
        if (comma == std::string::npos)
            comma = value.size();
        const std::string item = Trim(value.substr(start, comma - start));
        if (!item.empty())
            items.push_back(item);
        start = comma + 1;
    }
    return items;
}
