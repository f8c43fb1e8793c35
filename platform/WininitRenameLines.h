// The reader of WININIT.INI for the machine's restart: the "TARGET=SOURCE"
// lines of its [rename] sections, in file order. A section is named by the
// text between "[" and the first "]" of its line, blanks trimmed and
// compared without case, as the profile functions read a section line: so
// "[rename]" followed by anything on its line opens the section, as it does
// for the setup that writes there. Lines starting with ";", lines without
// "=" and lines with an empty side are skipped. Texts are turned from the
// ANSI code page into UTF-8. Internal to the platform layer.
#pragma once

#include <istream>
#include <string>
#include <utility>
#include <vector>

// Pairs of (target, source).
std::vector<std::pair<std::string, std::string>> WininitRenameLines(std::istream& in);
