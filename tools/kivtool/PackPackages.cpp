#include "tools/kivtool/PackPackages.h"

#include "setup/SetupDescription.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {
bool Contains(const std::vector<std::uint32_t>& offsets, std::uint32_t offset) {
    return std::find(offsets.begin(), offsets.end(), offset) != offsets.end();
}

// A package nobody named: it must hold members, and each member's data must
// begin with a zlib stream, which a stray position almost never does.
bool LooksLikePackage(PackVolume& volume, const PackPackageInfo& package) {
    if (package.count <= 0)
        return false;
    for (const PackMemberInfo& member : package.members)
        if (!volume.StartsZlibStream(member))
            return false;
    return true;
}

// Whether the volume itself names a package at offset: the setup-package
// offset of a main archive, or a package of its chain of packages.
bool NamedByTheVolume(PackVolume& volume, const std::string& volumePath, std::uint32_t offset) {
    if (PackVolumeIndex(volumePath) == 0 && offset == volume.SetupOffset())
        return true;
    std::vector<PackPackageInfo> chain;
    if (!volume.ReadAllPackages(&chain))
        return false;
    for (const PackPackageInfo& package : chain)
        if (package.offset == offset)
            return true;
    return false;
}

// Reads the packages at offsets. One that the description names is taken as
// it is; others must look like a package or be named by the volume.
bool ReadOffsets(PackVolume& volume, const PackRequest& request,
                 const std::vector<std::uint32_t>& offsets,
                 const std::vector<std::uint32_t>& described,
                 std::vector<PackPackageInfo>* packages, std::string* error) {
    for (std::uint32_t offset : offsets) {
        PackPackageInfo package;
        const std::string start = std::to_string(offset) + " is not the start of a package";
        if (!volume.ReadPackage(offset, &package)) {
            *error = start + ": " + volume.Error();
            return false;
        }
        if (!Contains(described, offset) && !LooksLikePackage(volume, package) &&
            !NamedByTheVolume(volume, request.volumePath, offset)) {
            *error = start + " (its count is " + std::to_string(package.count) +
                     (package.count > 0 ? ", but its members hold no zlib streams)" : ")");
            return false;
        }
        packages->push_back(package);
    }
    return true;
}

bool LoadDescription(const std::string& path, SetupDescription* description, std::string* error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        *error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    bool loaded = LoadSetupDescription(*description, file);
    std::fclose(file);
    if (!loaded)
        *error = path + ": line " + std::to_string(description->error.line) + ": " +
                 description->error.reason;
    return loaded;
}
} // namespace

int PackVolumeIndex(const std::string& volumePath) {
    std::string stem = std::filesystem::path(volumePath).stem().string();
    std::size_t size = stem.size();
    if (size >= 2 && stem[size - 1] >= '1' && stem[size - 1] <= '8' &&
        (stem[size - 2] < '0' || stem[size - 2] > '9'))
        return stem[size - 1] - '0';
    return 0;
}

bool PackDescriptionOffsets(const std::string& configPath, int volumeIndex,
                            std::uint32_t setupOffset, std::vector<std::uint32_t>* offsets,
                            std::string* error) {
    SetupDescription description;
    if (!LoadDescription(configPath, &description, error))
        return false;
    if (volumeIndex == 0 && setupOffset != 0)
        offsets->push_back(setupOffset);
    for (const std::unique_ptr<InstallEntry>& entry : description.installEntries) {
        int index = description.multiVolume ? entry->volume - 1 : 0;
        if (!entry->packed || index != volumeIndex)
            continue;
        if (entry->packageOffset < 0) {
            *error = configPath + ": entry '" + entry->entryName + "' names the package offset " +
                     std::to_string(entry->packageOffset);
            return false;
        }
        offsets->push_back(static_cast<std::uint32_t>(entry->packageOffset));
    }
    std::sort(offsets->begin(), offsets->end());
    offsets->erase(std::unique(offsets->begin(), offsets->end()), offsets->end());
    if (offsets->empty())
        *error = configPath + " names no package in this volume (volume number " +
                 std::to_string(volumeIndex + 1) + ")";
    return !offsets->empty();
}

bool ReadRequestedPackages(PackVolume& volume, const PackRequest& request,
                           std::vector<PackPackageInfo>* packages, std::string* error) {
    std::vector<std::uint32_t> described;
    if (!request.configPath.empty() &&
        !PackDescriptionOffsets(request.configPath, PackVolumeIndex(request.volumePath),
                                volume.SetupOffset(), &described, error))
        return false;
    if (!request.offsets.empty() || !described.empty())
        return ReadOffsets(volume, request, request.offsets.empty() ? described : request.offsets,
                           described, packages, error);
    if (volume.ReadAllPackages(packages))
        return true;
    *error = "the packages do not follow one another from position 4 to the trailer: name "
             "their OFFSETs or give --config";
    return false;
}
