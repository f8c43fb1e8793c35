#include "tools/kivtool/PackVerify.h"
#include "tools/kivtool/PackCommands.h"

#include "engine/MemberName.h"
#include "platform/Windows.h"

namespace {
// Checks one member: the problem, or "" when it is sound. The inflated size
// goes to `bytes`.
std::string MemberProblem(PackVolume& volume, const PackMemberInfo& member, std::uint64_t* bytes) {
    char16_t wide[260];
    if (MultiByteToWideChar(CP_ACP, 0, member.name.c_str(), -1, wide, 260) <= 0 ||
        !IsSafeMemberName(wide))
        return "the reader refuses this name";
    std::uint32_t crc = 0;
    if (!volume.InflateMember(member, bytes, &crc))
        return volume.Error();
    if (volume.Marked() && (*bytes != member.size || crc != member.crc))
        return "size " + std::to_string(*bytes) + " and CRC-32 " + std::to_string(crc) +
               " differ from the header's " + std::to_string(member.size) + " and " +
               std::to_string(member.crc);
    return "";
}
} // namespace

bool VerifyVolume(const PackRequest& request, PackVerifyResult* result, std::string* error) {
    PackVolume volume;
    std::vector<PackPackageInfo> packages;
    if (!volume.Open(request.volumePath)) {
        *error = volume.Error();
        return false;
    }
    if (!ReadRequestedPackages(volume, request, &packages, error))
        return false;
    result->packages = packages.size();
    result->marked = volume.Marked();
    for (const PackPackageInfo& package : packages)
        for (const PackMemberInfo& member : package.members) {
            std::uint64_t size = 0;
            result->members++;
            const std::string problem = MemberProblem(volume, member, &size);
            if (!problem.empty())
                result->damaged.push_back("package " + std::to_string(package.offset) + ", " +
                                          HostName(member.name) + ": " + problem);
            result->bytes += size;
        }
    return true;
}
