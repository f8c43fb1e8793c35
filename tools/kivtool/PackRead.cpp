// "kivtool pack list" and "kivtool pack verify": read a volume's structure
// without unpacking it.
#include "tools/kivtool/PackCommands.h"
#include "tools/kivtool/PackVolume.h"

#include "engine/MemberName.h"
#include "platform/Windows.h"

#include <cstdio>

namespace {
const char kListHelp[] =
    "usage: kivtool pack list VOLUME [OFFSET] [--json]\n"
    "\n"
    "Lists the members of the package at OFFSET: size, compressed size and name.\n"
    "Sizes are the first header value, which the project's writer sets to the\n"
    "member's size. Without OFFSET, every package of a volume whose packages lie\n"
    "one after another (as 'pack create' writes them).\n";

const char kVerifyHelp[] =
    "usage: kivtool pack verify VOLUME [OFFSET ...]\n"
    "\n"
    "Checks the volume's trailer, then inflates every member of the packages at\n"
    "the OFFSETs (all packages when none is given) in memory and compares it with\n"
    "the size and CRC-32 in its header; member names must be names the setup's\n"
    "reader accepts. Exit status 0 only when everything is sound.\n";

// Positional arguments: the volume, then offsets. False on a bad offset.
bool ParseVolumeArgs(const PackArgs& args, std::string* volume, std::vector<std::uint32_t>* offsets,
                     bool* json, std::string* error) {
    for (const std::string& arg : args) {
        std::uint32_t offset = 0;
        if (arg == "--json" && json) {
            *json = true;
        } else if (volume->empty()) {
            *volume = arg;
        } else if (ParsePackOffset(arg, &offset)) {
            offsets->push_back(offset);
        } else {
            *error = "'" + arg + "' is not a package offset";
            return false;
        }
    }
    if (volume->empty()) {
        *error = "needs a VOLUME";
        return false;
    }
    return true;
}

bool ReadPackages(PackVolume& volume, const std::vector<std::uint32_t>& offsets,
                  std::vector<PackPackageInfo>* packages) {
    if (offsets.empty())
        return volume.ReadAllPackages(packages);
    for (std::uint32_t offset : offsets) {
        packages->emplace_back();
        if (!volume.ReadPackage(offset, &packages->back()))
            return false;
    }
    return true;
}

void PrintList(const std::vector<PackPackageInfo>& packages, bool json) {
    if (json)
        std::printf("[");
    for (std::size_t p = 0; p < packages.size(); ++p) {
        const PackPackageInfo& package = packages[p];
        if (json)
            std::printf("%s\n  {\"offset\": %u, \"members\": [", p ? "," : "", package.offset);
        else
            std::printf("package %u: %zu members\n", package.offset, package.members.size());
        for (std::size_t m = 0; m < package.members.size(); ++m) {
            const PackMemberInfo& member = package.members[m];
            std::string name = HostName(member.name);
            if (json)
                std::printf("%s\n    {\"name\": %s, \"size\": %u, \"compressed\": %u}",
                            m ? "," : "", JsonText(name).c_str(), member.size,
                            member.CompressedSize());
            else
                std::printf("%12u %12u  %s\n", member.size, member.CompressedSize(), name.c_str());
        }
        if (json)
            std::printf("]}");
    }
    if (json)
        std::printf("\n]\n");
}

bool Damaged(const std::string& where, const std::string& problem) {
    PackError("verify", where + ": " + problem);
    return false;
}

// Checks one member; prints what is wrong and returns false.
bool VerifyMember(PackVolume& volume, const PackMemberInfo& member, std::uint32_t package) {
    std::string where = "package " + std::to_string(package) + ", " + HostName(member.name);
    char16_t wide[260];
    if (MultiByteToWideChar(CP_ACP, 0, member.name.c_str(), -1, wide, 260) <= 0 ||
        !IsSafeMemberName(wide))
        return Damaged(where, "the reader refuses this name");
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
    if (!volume.InflateMember(member, &size, &crc))
        return Damaged(where, volume.Error());
    if (size != member.size || crc != member.crc)
        return Damaged(where, "size " + std::to_string(size) + " and CRC-32 " +
                                  std::to_string(crc) + " differ from the header's " +
                                  std::to_string(member.size) + " and " +
                                  std::to_string(member.crc));
    return true;
}
} // namespace

int RunPackList(const PackArgs& args) {
    if (WantsHelp(args)) {
        std::fputs(kListHelp, stdout);
        return 0;
    }
    std::string path, error;
    std::vector<std::uint32_t> offsets;
    bool json = false;
    if (!ParseVolumeArgs(args, &path, &offsets, &json, &error) || offsets.size() > 1) {
        PackError("list", error.empty() ? "takes one OFFSET" : error);
        std::fputs(kListHelp, stderr);
        return 2;
    }
    PackVolume volume;
    std::vector<PackPackageInfo> packages;
    if (!volume.Open(path) || !ReadPackages(volume, offsets, &packages))
        return PackError("list", volume.Error());
    PrintList(packages, json);
    return 0;
}

int RunPackVerify(const PackArgs& args) {
    if (WantsHelp(args)) {
        std::fputs(kVerifyHelp, stdout);
        return 0;
    }
    std::string path, error;
    std::vector<std::uint32_t> offsets;
    if (!ParseVolumeArgs(args, &path, &offsets, nullptr, &error)) {
        PackError("verify", error);
        std::fputs(kVerifyHelp, stderr);
        return 2;
    }
    PackVolume volume;
    std::vector<PackPackageInfo> packages;
    if (!volume.Open(path) || !ReadPackages(volume, offsets, &packages))
        return PackError("verify", volume.Error());
    std::size_t members = 0, bad = 0;
    unsigned long long bytes = 0;
    for (const PackPackageInfo& package : packages)
        for (const PackMemberInfo& member : package.members) {
            members++;
            bytes += member.size;
            if (!VerifyMember(volume, member, package.offset))
                bad++;
        }
    if (bad)
        return PackError("verify", std::to_string(bad) + " of " + std::to_string(members) +
                                       " members are damaged");
    std::printf("%s: sound, %zu packages, %zu members, %llu bytes\n", path.c_str(), packages.size(),
                members, bytes);
    return 0;
}
