// The reader of distribution project files: INI-style text for people.
// "[kind name]" opens a section, "key = value" sets a key in it, "#" starts
// a comment (at the start of a line, or after a blank), blank lines are
// ignored. Every section and key keeps the line it was written on, so that
// every later error can name it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct DistError {
    int line = 0; // 0: the project file as a whole
    std::string message;
};

struct DistIniKey {
    int line = 0;
    std::string key;
    std::string value; // blanks trimmed; may be empty
};

struct DistIniSection {
    int line = 0;
    std::string kind; // first word inside the brackets: "product", "folder", ...
    std::string name; // the rest, trimmed: "Program" of "[folder Program]"
    std::vector<DistIniKey> keys;
};

// A project describes its files by folder: a few kilobytes.
constexpr std::size_t kMaxDistProjectBytes = std::size_t(1) << 20;

// Reads the file's sections (a file over kMaxDistProjectBytes is refused); keys before the first
// section are errors. False with the errors found (lines that are neither a section, a key nor a
// comment; a file that cannot be read).
bool ReadDistIni(const std::string& path, std::vector<DistIniSection>* sections,
                 std::vector<DistError>* errors);

// The items of a comma-separated list, trimmed, empty items left out.
std::vector<std::string> DistList(const std::string& value);
