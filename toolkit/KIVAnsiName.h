// Paths and registry key paths in ANSI text of the machine's code page,
// taken apart and put together a character at a time. In a double-byte
// code page (932) the trail byte of a character may be 0x5C, the backslash
// (0x95 0x5C is one character, not a byte and a separator), so no rule here
// ever looks at a byte without knowing that it starts a character. Every
// split, join, parent, trailing- and doubled-separator rule on such text
// goes through these helpers. Wide text and the host's UTF-8 paths need
// none of this: no trail byte there looks like a separator.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace KIVAnsiName {

// Which characters separate names: file paths take both the backslash and
// the slash; registry key paths and the uninstall record only the
// backslash (a slash is a character of a key name).
enum class Separators { kBackslash, kBoth };
constexpr std::size_t npos = std::string_view::npos;

// The length in bytes (1 or 2) of the character that starts at text[at]. A
// lead byte at the end of text is a character of its own.
std::size_t CharLength(std::string_view text, std::size_t at);
// The offset of the first or last separator; npos when path has none.
std::size_t FirstSeparator(std::string_view path, Separators which = Separators::kBackslash);
std::size_t LastSeparator(std::string_view path, Separators which = Separators::kBackslash);
// Whether the last character of path is a separator.
bool EndsInSeparator(std::string_view path, Separators which = Separators::kBackslash);
// The name after the last separator; the whole path when it has none.
std::string_view Leaf(std::string_view path, Separators which = Separators::kBackslash);
// The names between separators, in order; empty names are kept, so "A\\B\"
// gives "A", "", "B", "".
std::vector<std::string_view> Components(std::string_view path,
                                         Separators which = Separators::kBackslash);
// The number of separators in path (the depth of a key path below its root).
std::size_t CountSeparators(std::string_view path);

// folder and name with one backslash between them: none is added after a
// folder that ends in a separator, nor to an empty folder.
std::string Join(std::string_view folder, std::string_view name);
// path without separators at its end, keeping a drive's root ("C:\").
std::string WithoutTrailingSeparators(std::string_view path);
// path with single backslashes and no trailing one (but "C:\").
std::string Normal(std::string_view path);
// The folder of a path: everything before its last backslash, after
// Normal; empty for a path with none, or for a drive's root folder.
std::string Parent(std::string_view path);
// The form paths and key names are compared in: Normal, with the ASCII
// letters in upper case (never a trail byte, which may be a letter).
std::string Key(std::string_view path);
// Whether path is folder or lies inside it, compared by Key.
bool IsInside(std::string_view path, std::string_view folder);

} // namespace KIVAnsiName
