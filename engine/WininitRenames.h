// The "[rename]" section of WININIT.INI in the Windows folder: the older
// family's list of replacements that the next start of Windows carries out,
// one "TARGET = SOURCE" line each.
#pragma once

#include <string>
#include <vector>

struct WininitRename {
    std::string source; // the copy that is to take the target's place (ANSI)
    std::string target; // the file it replaces (ANSI)
};

// Adds one line "target = source" per rename directly after the last line
// that begins with "[rename]" (compared without case); a file without such
// a line gets "[rename]" appended at its end first. Each new line goes
// directly after the header, so the lines stand in the reverse of the
// renames' order; the lines that followed the header stay after them. The
// file is made when it does not exist.
//
// Every line is written with CR LF, as the older family's text-mode streams
// write a line: a line end of LF alone, or of CR LF, is written as CR LF; a
// last line without a line end keeps none, unless the header is appended
// after it, which then starts a line of its own, or it is the header the
// new lines follow. The rest of the file keeps
// its bytes. The file is rewritten in place from its start and never gets
// shorter. False when the file can be neither opened nor made, or cannot be
// read or written whole.
bool AddWininitRenames(const char* windowsFolder, const std::vector<WininitRename>& renames);
