// The sources of kivtool rc: their lines (UTF-8, "#" comments), the errors
// that name a file and a line, and the little-endian bytes of the records
// being compiled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct RcError {
    std::string file;
    int line = 0; // 0: the file as a whole
    std::string message;

    // "FILE:LINE: error: MESSAGE" (no line when 0).
    std::string Text() const;
};

struct RcLine {
    int number = 0;
    std::string text; // without its line end, comments and blank lines left out
};

// The largest source file rc reads: the sources of one language are a few
// hundred kilobytes.
constexpr std::size_t kMaxRcSourceBytes = std::size_t(16) << 20;

// Reads a source file as lines; every line must be valid UTF-8. A file that
// cannot be opened fails only when required; one over kMaxRcSourceBytes
// fails. Lines starting with "#" after blanks and
// blank lines are left out; a leading byte order mark is skipped.
bool ReadSourceLines(const std::string& path, bool required, std::vector<RcLine>* lines,
                     RcError* error);
// UTF-8 to UTF-16; false on bad UTF-8 (overlong forms, surrogates, cut sequences).
bool Utf16FromUtf8(const std::string& utf8, std::u16string* utf16);
std::string Utf8FromUtf16(const std::u16string& utf16);
// Leading and trailing blanks and tabs removed.
std::string Trim(const std::string& text);
// A whole decimal or 0x-hexadecimal signed 32-bit number.
bool ParseLong(const std::string& text, std::int32_t* value);
// Words separated by blanks.
std::vector<std::string> SplitWords(const std::string& text);

// A record being compiled: little-endian fields appended in order.
class RcBytes {
public:
    void Long(std::int32_t value);
    void Units(const std::u16string& text);
    void Append(const std::vector<std::uint8_t>& more);
    void Byte(std::uint8_t value) { bytes.push_back(value); }
    void PutLong(std::size_t at, std::int32_t value);

    std::vector<std::uint8_t> bytes;
};
