#include "setup/SetupDescriptionReader.h"

#include "toolkit/KIVAnsiName.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {
bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
} // namespace

// [SECTION] Lines

SetupDescriptionReader::Read SetupDescriptionReader::ReadPhysicalLine() {
    line_.clear();
    bool tooLong = false;
    int c = std::getc(file_);
    if (c == EOF)
        return Read::kEnd;
    for (; c != EOF && c != '\n'; c = std::getc(file_)) {
        // One byte beyond the limit is kept so that a CR before the LF can
        // still be told from content.
        if (line_.size() <= static_cast<std::size_t>(kMaxLineLength))
            line_.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
    ++lineNumber_;
    // Only a CR directly before the LF belongs to the line end; a CR elsewhere
    // is an ordinary control character.
    if (c == '\n' && !line_.empty() && line_.back() == '\r' && !tooLong)
        line_.pop_back();
    if (tooLong || line_.size() > static_cast<std::size_t>(kMaxLineLength))
        return Read::kTooLong;
    return Read::kLine;
}

bool SetupDescriptionReader::IsSkipped(std::string_view line) {
    if (line.empty() || line.substr(0, 2) == "//")
        return true;
    for (char ch : line) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 32 && c < 128)
            return false;
    }
    return true;
}

bool SetupDescriptionReader::NextLine() {
    fieldsEnded_ = true;
    if (failed_)
        return false;
    for (;;) {
        Read read = ReadPhysicalLine();
        if (read == Read::kEnd) {
            line_.clear();
            return false;
        }
        if (read == Read::kTooLong) {
            line_.clear();
            return Fail("line longer than 3999 characters");
        }
        if (!IsSkipped(line_))
            break;
    }
    position_ = 0;
    fieldsEnded_ = false;
    return true;
}

bool SetupDescriptionReader::RequireLine(const char* what) {
    if (NextLine())
        return true;
    if (!failed_)
        Fail(std::string("the file ends before ") + what);
    return false;
}

// [SECTION] Fields

bool SetupDescriptionReader::IsSeparator(unsigned char c) {
    return c <= 32 || c >= 128 || c == ',' || c == '|' || c == '(' || c == ')' || c == '=';
}

bool SetupDescriptionReader::NextField(std::string* field) {
    if (fieldsEnded_ || failed_)
        return false;
    while (position_ < line_.size()) {
        unsigned char c = static_cast<unsigned char>(line_[position_]);
        if (c == 7 || !IsSeparator(c))
            break;
        ++position_;
    }
    if (position_ >= line_.size() || line_[position_] == 7 ||
        line_.compare(position_, 2, "//") == 0) {
        fieldsEnded_ = true;
        return false;
    }
    field->clear();
    const std::size_t start = position_;
    bool quoted = false;
    for (; position_ < line_.size(); ++position_) {
        char c = line_[position_];
        if (quoted) {
            if (c == '"')
                quoted = false;
            else
                field->push_back(c);
            continue;
        }
        if (IsSeparator(static_cast<unsigned char>(c)))
            break;
        if (c == '"') {
            if (position_ != start &&
                !KIVAnsiName::EndsInSeparator(std::string_view(line_).substr(0, position_)))
                return Fail("a double quote inside a field must follow a backslash");
            quoted = true;
            continue;
        }
        field->push_back(c);
    }
    if (quoted)
        return Fail("a quoted text is not closed before the end of the line");
    return true;
}

bool SetupDescriptionReader::Field(std::string* field, const char* what) {
    if (NextField(field))
        return true;
    if (!failed_)
        Fail(std::string("missing field: ") + what);
    return false;
}

bool SetupDescriptionReader::Skip(const char* what) {
    std::string ignored;
    return Field(&ignored, what);
}

bool SetupDescriptionReader::Number(std::int32_t* value, const char* what) {
    std::string field;
    if (!Field(&field, what))
        return false;
    NoteNumber(field, what);
    *value = ParseNumber(field);
    return true;
}

void SetupDescriptionReader::NoteNumber(const std::string& field, const char* what) {
    if (!IsPlainNumber(field))
        oddNumbers_.push_back({lineNumber_, context_ + ": " + what, field});
}

bool SetupDescriptionReader::Flag(bool* value, const char* what) {
    std::int32_t number = 0;
    if (!Number(&number, what))
        return false;
    *value = number != 0;
    return true;
}

bool SetupDescriptionReader::Text(char (&text)[kSetupTextSize], const char* what) {
    std::string field;
    return Field(&field, what) && StoreText(field, text, what);
}

bool SetupDescriptionReader::StoreText(const std::string& field, char (&text)[kSetupTextSize],
                                       const char* what) {
    if (field.size() >= static_cast<std::size_t>(kSetupTextSize))
        return Fail(std::string(what) + " is longer than 259 characters");
    std::memcpy(text, field.data(), field.size());
    text[field.size()] = '\0';
    return true;
}

std::int32_t SetupDescriptionReader::ParseNumber(std::string_view field) {
    std::size_t i = 0;
    while (i < field.size() && IsSpace(field[i]))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        negative = field[i++] == '-';
    // Accumulate as a magnitude and stop growing at the first value beyond
    // the range: no overflow however many digits follow.
    const std::int64_t limit =
        negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                 : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (field[i] - '0');
    if (magnitude > limit)
        magnitude = limit;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

bool SetupDescriptionReader::IsPlainNumber(std::string_view field) {
    const bool negative = !field.empty() && field[0] == '-';
    if (!field.empty() && (field[0] == '+' || negative))
        field.remove_prefix(1);
    if (field.empty() || field.find_first_not_of("0123456789") != field.npos)
        return false;
    field.remove_prefix(std::min(field.find_first_not_of('0'), field.size()));
    // Digit strings of the same length compare as their values do.
    const std::string_view limit = negative ? "2147483648" : "2147483647";
    return field.size() < limit.size() || (field.size() == limit.size() && field <= limit);
}

// [SECTION] Failures

bool SetupDescriptionReader::Fail(const std::string& reason) {
    if (failed_)
        return false;
    failed_ = true;
    fieldsEnded_ = true;
    error_.line = lineNumber_;
    error_.reason = context_.empty() ? reason : context_ + ": " + reason;
    return false;
}
