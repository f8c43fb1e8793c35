// The texts of one language for kivtool rc: "ID = TEXT" lines of UTF-8.
// Escapes: \n line feed, \r carriage return, \t tab, \s blank (for blanks at
// either end, which are otherwise trimmed), \\ backslash.
#pragma once

#include "tools/kivtool/RcSource.h"

#include <map>

struct RcText {
    std::u16string text;
    int line = 0;
};

using RcTexts = std::map<std::int32_t, RcText>;

constexpr std::int32_t kRcMaxIdentifier = 65535;
constexpr std::size_t kRcMaxTextChars = 9999;

// Reads the text file; errors name the file and line: a line that is not
// "ID = TEXT", an identifier outside 0..65535 or given twice, an unknown
// escape, a text over 9999 characters.
bool ReadTexts(const std::string& path, RcTexts* texts, RcError* error);
// The printf arguments a text takes, in order ("s", "d", "ls", "*d", ...);
// "%%" takes none.
std::vector<std::string> FormatArguments(const std::u16string& text);
// Every text whose arguments differ from the English text of the same
// identifier is an error naming its line.
bool CheckArgumentsAgainst(const std::string& path, const RcTexts& texts, const RcTexts& english,
                           RcError* error);
