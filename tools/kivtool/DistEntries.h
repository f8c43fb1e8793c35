// The install entries of a medium being built: one per folder of the
// project (in its order; entry i is folder i), then the setup's pictures.
// A packed entry is first written alone into a scratch volume of its own;
// DistVolumes then chooses its volume and offset and moves it into place.
#pragma once

#include "tools/kivtool/DistProject.h"
#include "tools/kivtool/PackSource.h"

struct DistEntry {
    int line = 0; // the project line it comes from
    std::string name;
    std::string target; // destination below the installation folder
    bool packed = true;
    std::string source; // a copied entry's folder on the medium
    bool system = false;
    bool run = false;
    int wantedVolume = 0; // 0: chosen by the size limit
    int volume = 0;       // the one chosen, from 1
    int volumeLine = 0;
    std::uint32_t offset = 0; // in its volume
    std::uint64_t size = 0;   // bytes installed
    std::vector<PackSourceFile> members;

    std::string scratch;              // the scratch volume holding the package alone
    std::uint32_t length = 0;         // the package's bytes in a volume
    std::vector<std::uint32_t> links; // positions of its members' links in the scratch
};

// The entries of the project's folders and pictures, their members listed
// (copied folders are copied to medium at once). False with an error at the
// line at fault.
bool CollectDistEntries(const DistProject& project, const std::filesystem::path& medium,
                        std::vector<DistEntry>* entries, DistError* error);

// Writes an entry's package alone into the scratch volume at path.
bool PackDistEntry(DistEntry& entry, const std::string& path, int level, DistError* error);
