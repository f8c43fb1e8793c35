// Which packages of a volume "kivtool pack" reads, and whether an offset
// starts a package. The layout puts packages anywhere: only the setup
// description (and, in the main archive, the setup-package offset at 0) says
// where they are. Our writer lays them one after another from position 4 to
// the trailer, so such a volume needs no description.
#pragma once

#include "tools/kivtool/PackVolume.h"

#include <cstdint>
#include <string>
#include <vector>

struct PackRequest {
    std::string volumePath;
    std::vector<std::uint32_t> offsets; // given on the command line
    std::string configPath;             // a setup description, or empty
};

// The volume index that a volume's file name gives: "<base><i>.zkiv" with a
// last digit i from 1 to 8 is index i; any other name is the main archive, 0.
int PackVolumeIndex(const std::string& volumePath);

// The package offsets that the description at configPath gives for the
// volume of this index: its packed install entries (all of them in the main
// archive when the description's multi-volume flag is clear) and, for the main
// archive, the setup-package offset. Sorted, without repeats.
bool PackDescriptionOffsets(const std::string& configPath, int volumeIndex,
                            std::uint32_t setupOffset, std::vector<std::uint32_t>* offsets,
                            std::string* error);

// Reads the packages a request names: the offsets given, else those of the
// description, else every package of a volume whose packages follow one
// another. An offset given on the command line must start a package: one
// the volume's description, setup-package offset or chain of packages knows,
// or one with a positive count whose members all lie inside the volume and
// begin with a zlib stream.
bool ReadRequestedPackages(PackVolume& volume, const PackRequest& request,
                           std::vector<PackPackageInfo>* packages, std::string* error);
