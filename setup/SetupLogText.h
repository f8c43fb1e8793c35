// How text enters the setup log: as UTF-8 in JSON strings. The setup's texts
// are wide and the engine's paths are in the machine's ANSI code page; both
// are converted first. A byte that is not part of a valid UTF-8 sequence
// becomes U+FFFD, so that every line of the log stays valid UTF-8 whatever a
// caller hands in.
#pragma once

#include <string>
#include <string_view>

// The length of the valid UTF-8 sequence at text[at] (1 for ASCII), or 0 for
// a byte that starts none: no overlong forms, no surrogates, nothing above
// U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// Text as a quoted JSON string: quote and backslash escaped, control
// characters (below U+0020, and U+007F) written as escapes, other
// characters written as they are.
std::string JsonQuoted(std::string_view text);

// A wide text, or an ANSI one, as UTF-8 (empty for null).
std::string LogTextFromWide(const char16_t* text);
std::string LogTextFromAnsi(const char* text);
