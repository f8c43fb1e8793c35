// SetupDescriptionReader: the lexical rules of the setup description. A line
// reader that never hands out skipped lines (empty, beginning with "//", or
// made only of control characters and bytes 128 to 255), and a field reader
// over the current line (separators, "//" comments, quoting, numbers, texts).
// The first failure is recorded with its line and the reading context; every
// later call then fails too.
#pragma once

#include "setup/SetupDescription.h"
#include "setup/SetupDescriptionLines.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

class SetupDescriptionReader {
public:
    static constexpr int kMaxLineLength = 3999;

    explicit SetupDescriptionReader(std::FILE* file) : file_(file) {}

    // [SECTION] Lines
    // Moves to the next line handed out. False at the end of the file or on a
    // failure (a line longer than kMaxLineLength); Failed() tells them apart.
    bool NextLine();
    // NextLine, but the end of the file is a failure: "file ends before <what>".
    bool RequireLine(const char* what);
    std::string_view Line() const { return line_; }
    int LineNumber() const { return lineNumber_; }

    // [SECTION] Fields of the current line
    // The next field, quotes removed. False when the line has no further
    // field, or on a failure (an unclosed quote, a stray quote).
    bool NextField(std::string* field);
    // A field that must be there: a missing one is a failure naming what.
    bool Field(std::string* field, const char* what);
    bool Skip(const char* what);
    bool Number(std::int32_t* value, const char* what);
    bool Flag(bool* value, const char* what);
    // A text of at most 259 characters, stored terminated into text.
    bool Text(char (&text)[kSetupTextSize], const char* what);
    bool StoreText(const std::string& field, char (&text)[kSetupTextSize], const char* what);
    // Notes a field read as a number that is not a plain number, for the
    // checkers; the setup reads it all the same.
    void NoteNumber(const std::string& field, const char* what);
    const std::vector<SetupDescriptionOddNumber>& OddNumbers() const { return oddNumbers_; }

    // [SECTION] Failures
    // Names what is being read ("install entry 3"); it prefixes reasons.
    void SetContext(std::string context) { context_ = std::move(context); }
    // Records a failure at the current line (the first one wins); returns false.
    bool Fail(const std::string& reason);
    bool Failed() const { return failed_; }
    const SetupDescriptionError& Error() const { return error_; }

    // The numeric value of a field: leading white space, an optional sign and
    // decimal digits; 0 without digits. Out-of-range values are clamped to the
    // 32-bit signed range.
    static std::int32_t ParseNumber(std::string_view field);
    // An optional sign and decimal digits only, within the 32-bit signed range.
    static bool IsPlainNumber(std::string_view field);
    static bool IsSeparator(unsigned char c);

private:
    enum class Read { kLine, kEnd, kTooLong };
    Read ReadPhysicalLine();
    static bool IsSkipped(std::string_view line);

    std::FILE* file_;
    std::string line_;
    int lineNumber_ = 0;
    std::size_t position_ = 0;
    bool fieldsEnded_ = true;
    std::string context_;
    bool failed_ = false;
    SetupDescriptionError error_;
    std::vector<SetupDescriptionOddNumber> oddNumbers_;
};
