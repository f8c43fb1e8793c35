// "kivtool pack list" and "kivtool pack verify": read a volume's structure
// without unpacking it.
#include "tools/kivtool/PackCommands.h"
#include "tools/kivtool/PackPackages.h"
#include "tools/kivtool/PackVerify.h"

#include <cctype>
#include <cstdio>

namespace {
const char kListHelp[] =
    "usage: kivtool pack list VOLUME [OFFSET] [--config FILE] [--json]\n"
    "\n"
    "Lists the members of the package at OFFSET: size, compressed size and name.\n"
    "OFFSET must start a package: one that --config FILE (the setup description),\n"
    "the setup-package offset of a main archive or the volume's chain of packages\n"
    "names, or one whose members all lie inside the volume and hold zlib streams.\n"
    "Without OFFSET, the packages that --config FILE names for the volume, or\n"
    "every package of a volume whose packages lie one after another (as 'pack\n"
    "create' writes them). Sizes come from the member headers of volumes that\n"
    "'pack create' wrote; for other volumes they are shown as '-' (null in JSON).\n";

const char kVerifyHelp[] =
    "usage: kivtool pack verify VOLUME [OFFSET ...] [--config FILE]\n"
    "\n"
    "Checks the volume's trailer, then reads every member of the packages at the\n"
    "OFFSETs with the setup's rules and inflates it in memory to the end of its\n"
    "zlib stream (with zlib's own check); member names must be names the setup's\n"
    "reader accepts. In volumes that 'pack create' wrote, each member must also\n"
    "match the size and CRC-32 of its header. Without OFFSETs: the packages that\n"
    "--config FILE names for the volume (its packed install entries; in the main\n"
    "archive also the setup package), else all packages when they lie one after\n"
    "another. The volume number comes from the file name: archive.zkiv is the\n"
    "main archive, archiveN.zkiv is volume N + 1. Exit status 0 only when\n"
    "everything is sound.\n";

// The volume, OFFSETs, --config FILE and (for list) --json. False with a
// message on a usage error.
bool ParseVolumeArgs(const PackArgs& args, PackRequest* request, bool* json, std::string* error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::uint32_t offset = 0;
        if (arg == "--json" && json) {
            *json = true;
        } else if (arg == "--config") {
            if (i + 1 == args.size() || !request->configPath.empty()) {
                *error = "--config takes one FILE";
                return false;
            }
            request->configPath = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-' &&
                   !std::isdigit(static_cast<unsigned char>(arg[1]))) {
            *error = "unknown option " + arg;
            return false;
        } else if (request->volumePath.empty()) {
            request->volumePath = arg;
        } else if (ParsePackOffset(arg, &offset)) {
            request->offsets.push_back(offset);
        } else {
            *error = "'" + arg + "' is not a package offset";
            return false;
        }
    }
    if (request->volumePath.empty())
        *error = "needs a VOLUME";
    return !request->volumePath.empty();
}

std::string SizeText(const PackVolume& volume, const PackMemberInfo& member, bool json) {
    if (volume.Marked())
        return std::to_string(member.size);
    return json ? "null" : "-";
}

void PrintList(const PackVolume& volume, const std::vector<PackPackageInfo>& packages, bool json) {
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
            std::string size = SizeText(volume, member, json);
            if (json)
                std::printf("%s\n    {\"name\": %s, \"size\": %s, \"compressed\": %u}",
                            m ? "," : "", JsonText(name).c_str(), size.c_str(),
                            member.CompressedSize());
            else
                std::printf("%12s %12u  %s\n", size.c_str(), member.CompressedSize(), name.c_str());
        }
        if (json)
            std::printf("]}");
    }
    if (json)
        std::printf("\n]\n");
}

// Opens the volume and reads the packages the request names; prints the
// failure and gives exit status 1.
int ReadVolume(const char* command, const PackRequest& request, PackVolume& volume,
               std::vector<PackPackageInfo>* packages) {
    std::string error;
    if (!volume.Open(request.volumePath))
        return PackError(command, volume.Error());
    if (!ReadRequestedPackages(volume, request, packages, &error))
        return PackError(command, error);
    return 0;
}
} // namespace

int RunPackList(const PackArgs& args) {
    if (WantsHelp(args)) {
        std::fputs(kListHelp, stdout);
        return 0;
    }
    PackRequest request;
    std::string error;
    bool json = false;
    if (!ParseVolumeArgs(args, &request, &json, &error) || request.offsets.size() > 1)
        return PackUsageError("list", error.empty() ? "takes one OFFSET" : error, kListHelp);
    PackVolume volume;
    std::vector<PackPackageInfo> packages;
    if (int status = ReadVolume("list", request, volume, &packages))
        return status;
    PrintList(volume, packages, json);
    return 0;
}

int RunPackVerify(const PackArgs& args) {
    if (WantsHelp(args)) {
        std::fputs(kVerifyHelp, stdout);
        return 0;
    }
    PackRequest request;
    std::string error;
    if (!ParseVolumeArgs(args, &request, nullptr, &error))
        return PackUsageError("verify", error, kVerifyHelp);
    PackVerifyResult result;
    if (!VerifyVolume(request, &result, &error))
        return PackError("verify", error);
    for (const std::string& damaged : result.damaged)
        PackError("verify", damaged);
    if (!result.damaged.empty())
        return PackError("verify", std::to_string(result.damaged.size()) + " of " +
                                       std::to_string(result.members) + " members are damaged");
    std::printf("%s: sound, %zu packages, %zu members, %llu bytes%s\n", request.volumePath.c_str(),
                result.packages, result.members, result.bytes,
                result.marked ? "" : " (not written by kivtool: no sizes or CRC-32s to check)");
    return 0;
}
