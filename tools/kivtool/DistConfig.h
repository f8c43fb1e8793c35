// Writes the setup description (config.ini) of a medium from its project
// and its laid-out entries, and remembers for every line of it the project
// line it comes from, so that a finding of the description check can name
// the project line at fault.
#pragma once

#include "tools/kivtool/DistEntries.h"

struct DistConfigText {
    std::string text;       // in the machine's ANSI code page, CR LF line ends
    std::vector<int> lines; // lines[i]: the project line of config.ini line i + 1

    // Appends a line of fields (UTF-8), each quoted where it must be.
    void Add(int projectLine, const std::vector<std::string>& fields);
    // Appends a line as it is.
    void AddRaw(int projectLine, const std::string& line);
};

// The description. False when a text cannot be written in the machine's
// ANSI code page, with the project line at fault.
bool WriteDistConfig(const DistProject& project, const std::vector<DistEntry>& entries, int volumes,
                     DistConfigText* config, DistError* error);

// A field as the description's reader takes it back: quoted when it holds
// a separator or is empty.
std::string DistField(const std::string& text);
