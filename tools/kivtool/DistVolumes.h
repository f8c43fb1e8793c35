// Spreads the packed entries over the volumes (archive.zkiv, archive1.zkiv,
// ...) and writes the volumes. Every package was written alone into a
// scratch volume at position 4; moving it to its place only adds the
// distance to each member's link, the one position a package holds, so no
// member is compressed twice. The main archive ends with the setup package,
// after the others: their offsets do not depend on the description it holds.
#pragma once

#include "tools/kivtool/DistEntries.h"

// Up to archive8.zkiv: the last volume name the setup's volume index takes.
constexpr int kDistMaxVolumes = 9;

// Chooses each packed entry's volume and offset. Entries that name a volume
// keep it; the others go, in order, into the first volume from the last one
// used that still has room under limit (0: no limit). reserve is room kept
// in the main archive for the setup package. Fails at the project line at
// fault: a package larger than a whole volume, a named volume overfull, more
// volumes than the setup can name. *volumes: how many volumes there are.
bool LayOutDistVolumes(std::vector<DistEntry>& entries, std::uint64_t limit, int limitLine,
                       std::uint32_t reserve, int* volumes, DistError* error);

// The size the main archive has with the setup package of length setup.
std::uint64_t DistMainVolumeSize(const std::vector<DistEntry>& entries, std::uint32_t setup);

// Writes the volume of index (0 main) into folder, its packages in entry
// order; the main archive gets setup (a scratch entry) last and its offset
// at position 0.
bool WriteDistVolume(const std::vector<DistEntry>& entries, const DistEntry* setup, int index,
                     const std::filesystem::path& folder, std::string* error);

// "archive.zkiv", "archive1.zkiv", ... for index 0, 1, ...
std::string DistVolumeName(int index);
