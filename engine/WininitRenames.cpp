#include "engine/WininitRenames.h"

#include "platform/PlatformStdio.h"

#include <cstdio>
#include <strings.h>

namespace {

const char kHeader[] = "[rename]";

bool ReadWhole(std::FILE* file, std::string* text) {
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        text->append(chunk, got);
    return !std::ferror(file);
}

// The lines of the text, each with its line end.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

// Where the new lines go: after the last header, or after a header appended
// at the end. A header that ends the file without a line end gets one, or
// the first new line would join it.
std::size_t InsertionPoint(std::vector<std::string>* lines) {
    for (std::size_t i = lines->size(); i > 0; --i) {
        std::string& line = (*lines)[i - 1];
        if (strncasecmp(line.c_str(), kHeader, sizeof kHeader - 1) != 0)
            continue;
        if (line.back() != '\n')
            line += '\n';
        return i;
    }
    if (!lines->empty() && lines->back().back() != '\n')
        lines->back() += '\n';
    lines->push_back(std::string(kHeader) + "\n");
    return lines->size();
}

std::string WithCrLf(std::string line) {
    if (line.empty() || line.back() != '\n')
        return line;
    line.pop_back();
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line + "\r\n";
}

bool WriteLines(std::FILE* file, const std::vector<std::string>& lines) {
    if (std::fseek(file, 0, SEEK_SET) != 0)
        return false;
    for (const std::string& line : lines) {
        std::string out = WithCrLf(line);
        if (std::fwrite(out.data(), 1, out.size(), file) != out.size())
            return false;
    }
    return std::fflush(file) == 0;
}

} // namespace

bool AddWininitRenames(const char* windowsFolder, const std::vector<WininitRename>& renames) {
    std::string path = std::string(windowsFolder) + "\\WININIT.INI";
    std::FILE* file = PlatformFopen(path.c_str(), "rt+");
    if (!file)
        file = PlatformFopen(path.c_str(), "wt+");
    if (!file)
        return false;
    std::string text;
    bool ok = ReadWhole(file, &text);
    std::vector<std::string> lines = SplitLines(text);
    std::size_t at = InsertionPoint(&lines);
    for (const WininitRename& rename : renames)
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at),
                     rename.target + " = " + rename.source + "\n");
    ok = ok && WriteLines(file, lines);
    return std::fclose(file) == 0 && ok;
}
