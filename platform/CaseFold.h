// Case-insensitive comparison of UTF-8 file names, as Windows compares them:
// ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters fold to lower
// case; anything else compares as it is. Internal to the platform layer.
#pragma once

#include <string>

namespace CaseFold {

// The code points of a UTF-8 text with letters folded to lower case. Bytes
// that are not valid UTF-8 stand for themselves.
std::u32string Fold(const std::string& utf8);

bool Equal(const std::string& a, const std::string& b);

// Matches a name against a pattern with "*" (any run) and "?" (any one
// character), without regard to case. "*.*" matches every name, as on Windows.
bool WildcardMatch(const std::string& pattern, const std::string& name);

} // namespace CaseFold
