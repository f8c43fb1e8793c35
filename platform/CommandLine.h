// Command lines as Windows programs see them. Internal to the platform layer.
#pragma once

#include <string>
#include <vector>

namespace CommandLine {

// Splits a command line into arguments as the Windows C runtime does: the
// first is taken up to the next blank, or between quotes without escapes;
// the others follow the backslash and quote rules (2n backslashes before a
// quote give n and the quote opens or closes a quoted part, 2n+1 give n and
// a literal quote; "" inside a quoted part is a literal quote).
std::vector<std::string> Split(const std::string& commandLine);

// The ways the program may be read from a command line whose first word is
// not quoted, shortest first: "C:\Program Files\App\a.exe x" may name
// "C:\Program" with arguments "Files\App\a.exe x", or "C:\Program
// Files\App\a.exe" with argument "x". Each candidate is the program text and
// the rest of the line. A quoted first word gives that one candidate.
struct Candidate {
    std::string program;
    std::string arguments;
};
std::vector<Candidate> ProgramCandidates(const std::string& commandLine);

} // namespace CommandLine
