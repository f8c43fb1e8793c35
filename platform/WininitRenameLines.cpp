#include "platform/WininitRenameLines.h"

#include "platform/HostText.h"

#include <strings.h>

namespace {

std::string Trim(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool IsRenameSection(const std::string& line) {
    const std::string name = Trim(line.substr(1, line.find(']') - 1));
    return strcasecmp(name.c_str(), "rename") == 0;
}

} // namespace

std::vector<std::pair<std::string, std::string>> WininitRenameLines(std::istream& in) {
    std::vector<std::pair<std::string, std::string>> lines;
    bool inSection = false;
    for (std::string line; std::getline(in, line);) {
        line = Trim(line);
        if (!line.empty() && line[0] == '[') {
            inSection = IsRenameSection(line);
            continue;
        }
        std::size_t equals = line.find('=');
        if (!inSection || line.empty() || line[0] == ';' || equals == std::string::npos)
            continue;
        std::string target = Trim(line.substr(0, equals)), source = Trim(line.substr(equals + 1));
        if (!target.empty() && !source.empty())
            lines.emplace_back(HostText::FromAnsi(target.c_str()),
                               HostText::FromAnsi(source.c_str()));
    }
    return lines;
}
