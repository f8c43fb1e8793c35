#include "engine/UninstallRecordReader.h"

#include "engine/RootKeyFromName.h"
#include "toolkit/KIVAnsiName.h"

#include <cctype>

namespace {

constexpr std::size_t kLongestLine = 519; // a converted path in a 520-byte buffer

// Walks the record line by line, remembering where it is for the message.
class RecordLines {
public:
    explicit RecordLines(std::string_view bytes) : rest_(bytes) {}

    int Number() const { return number_; }
    bool AtEnd() const { return rest_.empty(); }

    // The next line without its CR LF; false with *reason when there is none
    // or it is not a sound line.
    bool Next(std::string_view* line, std::string* reason) {
        ++number_;
        const std::size_t end = rest_.find("\r\n");
        if (rest_.empty())
            return Fail(reason, "the record ends early");
        if (end == std::string_view::npos)
            return Fail(reason, "the line does not end with CR LF");
        *line = rest_.substr(0, end);
        rest_.remove_prefix(end + 2);
        if (line->size() > kLongestLine)
            return Fail(reason,
                        "the line is longer than " + std::to_string(kLongestLine) + " bytes");
        for (unsigned char c : *line)
            if (c < 0x20 || c == 0x7F)
                return Fail(reason, "the line holds a control character");
        return true;
    }

private:
    static bool Fail(std::string* reason, const std::string& text) {
        *reason = text;
        return false;
    }

    std::string_view rest_;
    int number_ = 0;
};

// "label N" with N decimal, no sign and no leading zero. N has no limit of
// its own (each of its lines must follow, and the record's size bounds
// them); nine digits keep it from overflowing.
bool ReadCount(std::string_view line, std::string_view label, std::size_t* count) {
    if (line.size() <= label.size() + 1 || line.substr(0, label.size()) != label ||
        line[label.size()] != ' ')
        return false;
    std::string_view digits = line.substr(label.size() + 1);
    if (digits.size() > 9 || (digits.size() > 1 && digits[0] == '0'))
        return false;
    std::size_t value = 0;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    *count = value;
    return true;
}

using LineCheck = bool (*)(std::string_view);

class SectionReader {
public:
    SectionReader(RecordLines& lines, UninstallRecordError* error) : lines_(lines), error_(error) {}

    // The count line "label N", then N lines that each pass check.
    bool Read(std::string_view label, LineCheck check, const char* what,
              std::vector<std::string>* items) {
        std::string_view line;
        std::size_t count = 0;
        if (!Line(&line))
            return false;
        if (!ReadCount(line, label, &count))
            return Fail("expected \"" + std::string(label) + " N\", found \"" + std::string(line) +
                        "\"");
        for (std::size_t i = 0; i < count; ++i) {
            if (!Line(&line))
                return Fail(error_->reason + " (" + std::string(label) + " " +
                            std::to_string(count) + " lists more lines than there are)");
            if (!check(line))
                return Fail(std::string(what) + " \"" + std::string(line) + "\" (item " +
                            std::to_string(i + 1) + " of \"" + std::string(label) + " " +
                            std::to_string(count) + "\")");
            items->emplace_back(line);
        }
        return true;
    }

    bool Literal(std::string_view expected) {
        std::string_view line;
        if (!Line(&line))
            return false;
        return line == expected || Fail("expected \"" + std::string(expected) + "\", found \"" +
                                        std::string(line) + "\"");
    }

    bool Line(std::string_view* line) {
        if (lines_.Next(line, &error_->reason))
            return true;
        error_->line = lines_.Number();
        return false;
    }

    bool Fail(const std::string& reason) {
        error_->line = lines_.Number();
        error_->reason = reason;
        return false;
    }

private:
    RecordLines& lines_;
    UninstallRecordError* error_;
};

} // namespace

bool IsSoundRecordPath(std::string_view path) {
    if (path.size() < 3 || !std::isalpha(static_cast<unsigned char>(path[0])) || path[1] != ':' ||
        path[2] != '\\')
        return false;
    for (const std::string_view part : KIVAnsiName::Components(path.substr(3)))
        if (part == "." || part == ".." || part.find_first_of(":/") != std::string_view::npos)
            return false;
    return true;
}

bool IsSoundKeyPath(std::string_view path) {
    const std::size_t slash = KIVAnsiName::FirstSeparator(path);
    if (slash == KIVAnsiName::npos || !RootKeyFromName(path.substr(0, slash)))
        return false;
    for (const std::string_view name : KIVAnsiName::Components(path.substr(slash + 1)))
        if (name.empty())
            return false;
    return true;
}

bool ReadUninstallRecord(std::string_view bytes, UninstallRecord* record,
                         UninstallRecordError* error) {
    *record = UninstallRecord();
    *error = UninstallRecordError();
    RecordLines lines(bytes);
    SectionReader reader(lines, error);
    UninstallRecord read;
    std::string_view name;
    if (!reader.Read("files", IsSoundRecordPath,
                     "not an absolute path without \"..\":", &read.files) ||
        !reader.Read("folders", IsSoundRecordPath,
                     "not an absolute path without \"..\":", &read.folders) ||
        !reader.Read("regkeys", IsSoundKeyPath, "not a registry key path:", &read.registryKeys) ||
        !reader.Literal("longappname") || !reader.Line(&name))
        return false;
    if (!lines.AtEnd()) {
        reader.Fail("more lines follow the application name");
        error->line = lines.Number() + 1;
        return false;
    }
    read.applicationName = name;
    *record = std::move(read);
    return true;
}
