// Fuzz target: the volume reader of "kivtool pack list" and "pack verify"
// (PackVolume). Any file is opened or refused with a reason; every member
// of every package it reads lies inside the volume, and verifying reads
// each member's data without leaving it.
#include "platform/Machine.h"
#include "tools/kivtool/PackVerify.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

const std::string& Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/kiv-fuzz-pack-XXXXXX";
        std::string made = mkdtemp(pattern) ? pattern : "/tmp/kiv-fuzz-pack";
        std::string error;
        Check(Machine::Create(made + "/machine", MachineSettings(), &error) &&
              Machine::Use(made + "/machine"));
        return made;
    }();
    return folder;
}

void CheckPackages(const std::vector<PackPackageInfo>& packages, std::uint64_t size) {
    for (const PackPackageInfo& package : packages)
        for (const PackMemberInfo& member : package.members)
            Check(member.link + 4 <= member.header && member.header < size &&
                  member.name.size() < 260);
}

void List(const PackRequest& request, std::uint64_t size) {
    PackVolume volume;
    if (!volume.Open(request.volumePath)) {
        Check(!volume.Error().empty());
        return;
    }
    Check(volume.TrailerPosition() + 8 == size);
    std::vector<PackPackageInfo> packages;
    std::string error;
    if (ReadRequestedPackages(volume, request, &packages, &error))
        CheckPackages(packages, size);
    else
        Check(!error.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PackRequest request;
    request.volumePath = Folder() + "/archive.zkiv";
    std::ofstream(request.volumePath, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    List(request, size);
    PackVerifyResult result;
    std::string error;
    Check(VerifyVolume(request, &result, &error) || !error.empty());
    if (size >= 4) {
        request.offsets = {std::uint32_t(data[0]) | std::uint32_t(data[1]) << 8 |
                           std::uint32_t(data[2]) << 16 | std::uint32_t(data[3]) << 24};
        List(request, size);
    }
    return 0;
}
