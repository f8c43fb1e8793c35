// What an uninstallation undoes, as read back from ".uninstallinfos.log"
// (the installed files, the installed folders, repeats kept, as written, the
// registry key paths, each as its ANSI line, and the application name) or
// from the install journal of a setup that never wrote its record.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

// A system file the installation counted in, with the SharedDLLs use count
// it had before.
struct SharedFileUse {
    std::string path;
    unsigned long countBefore = 0;
};

struct UninstallRecord {
    std::vector<std::string> files;
    std::vector<std::string> folders;
    std::vector<std::string> registryKeys;
    std::string applicationName;

    // Read from a journal: its files and folders name exactly what the
    // setup made, wherever it made it (its staging folder included), and
    // its system files are in sharedFiles.
    bool fromJournal = false;
    // Folders outside the installation folder are listed as the setup made
    // them (its staging folder): set for a journal, and for a record whose
    // setup was killed before it removed its journal and staging folder.
    bool listsOutsideFolders = false;
    std::vector<SharedFileUse> sharedFiles;
    // The value names the installation wrote, by key, both in the form
    // KIVAnsiName::Key gives; known from a journal or the values file the
    // setup keeps beside the record. A listed key not in here has all its
    // values taken for the product's.
    std::map<std::string, std::set<std::string>> writtenValues;
};
