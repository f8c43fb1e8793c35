// Registry key and value names compare without regard to case, as on
// Windows, but keep the case they were created with. The store keeps both
// the name as given and a folded form that the comparisons use. Names are
// ANSI text of the machine's code page, so folding works on its bytes.
#pragma once

#include <string>
#include <vector>

namespace RegistryNames {

// The folded (lower-case) form of an ANSI name: in code page 1252 the Latin
// letters of both halves of the table; in code page 932 the ASCII letters
// and the double-byte full-width Latin, Greek and Cyrillic letters, never
// touching the trail byte of a double-byte character.
std::string Fold(const std::string& name, unsigned codePage);

// The key names of a path, split at its separators: the backslashes that
// are characters of their own, never the trail byte of a double-byte
// character (in code page 932, "\x83\x5C" is one katakana letter). Empty
// names between separators are kept, so "A\\B\" gives "A", "", "B", "".
std::vector<std::string> SplitPath(const std::string& path, unsigned codePage);

// Longest key name of one level, in bytes (as on Windows).
constexpr std::size_t kMaxKeyNameLength = 255;
// Deepest key, in levels below its root (as on Windows): a key is never
// created deeper, so every walk over keys is bounded by it.
constexpr std::size_t kMaxKeyDepth = 512;
// Longest value name, in bytes.
constexpr std::size_t kMaxValueNameLength = 16383;

} // namespace RegistryNames
