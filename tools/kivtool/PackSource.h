// The members of a package made from a host folder: its plain files, named
// in the machine's ANSI code page.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct PackSourceFile {
    std::string name; // ANSI code page
    std::filesystem::path path;
};

// The host (UTF-8) file name in the machine's ANSI code page. Fails with a
// message for a name the code page cannot hold, or one the setup's reader
// would refuse or place elsewhere (a backslash, a colon, "..").
bool PackMemberName(const std::string& hostName, std::string* ansi, std::string* error);

// The plain files directly in folder (sub-folders are not members), in name
// order, leaving out the files of `skip` (the volume being written and the
// one it replaces, should they lie there). Fails when two names differ only in case: on the
// machine, the second would overwrite the first.
bool ListPackSource(const std::filesystem::path& folder,
                    const std::vector<std::filesystem::path>& skip,
                    std::vector<PackSourceFile>* members, std::string* error);
