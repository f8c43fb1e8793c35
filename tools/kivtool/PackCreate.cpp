// "kivtool pack create": writes a volume from folders of plain files.
#include "tools/kivtool/PackCommands.h"
#include "tools/kivtool/PackWrite.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const char kHelp[] =
    "usage: kivtool pack create OUT.zkiv [--level N] [--setup DIR] [--json] [NAME=DIR ...]\n"
    "\n"
    "Writes one archive volume: the setup-package offset at position 0 (the\n"
    "package made from --setup DIR, or 0), one package per NAME=DIR holding the\n"
    "plain files directly in DIR (sub-folders are not members) in name order,\n"
    "then the setup package, and the trailer. The setup package comes last, so\n"
    "that the other packages' offsets do not depend on the description it holds:\n"
    "packed again with their offsets filled in, they stay where they were.\n"
    "Member names are stored in the machine's ANSI code page.\n"
    "Each member header carries the member's size and CRC-32.\n"
    "\n"
    "  --level N   zlib compression level 0-9 (default 6)\n"
    "  --json      print the packages as JSON\n"
    "\n"
    "Prints one line per package: NAME OFFSET BYTES MEMBERS (the setup package\n"
    "is named \"(setup)\").\n";

struct PackageSource {
    std::string name;
    std::filesystem::path folder;
};

struct PackedPackage {
    std::string name;
    ZipagePackageInfo info;
};

bool PackFolder(ZipageWriter& writer, const PackageSource& source,
                const std::vector<std::filesystem::path>& skip, PackedPackage* packed,
                std::string* error) {
    std::vector<PackSourceFile> members;
    if (!ListPackSource(source.folder, skip, &members, error))
        return false;
    packed->name = source.name;
    return PackMembers(writer, members, &packed->info, error);
}

void PrintPackages(const std::vector<PackedPackage>& packages, std::uint32_t setupOffset,
                   bool json) {
    if (!json) {
        for (const PackedPackage& p : packages)
            std::printf("%s %u %llu %d\n", p.name.c_str(), p.info.offset,
                        static_cast<unsigned long long>(p.info.bytes), p.info.members);
        return;
    }
    std::printf("{\"setupOffset\": %u, \"packages\": [", setupOffset);
    for (std::size_t i = 0; i < packages.size(); ++i)
        std::printf("%s\n  {\"name\": %s, \"offset\": %u, \"bytes\": %llu, \"members\": %d}",
                    i ? "," : "", JsonText(packages[i].name).c_str(), packages[i].info.offset,
                    static_cast<unsigned long long>(packages[i].info.bytes),
                    packages[i].info.members);
    std::printf("\n]}\n");
}

struct CreateOptions {
    std::string out;
    int level = 6;
    bool json = false;
    std::vector<PackageSource> sources; // the setup package last, when given
    bool hasSetup = false;
};

bool ParseCreate(const PackArgs& args, CreateOptions* options, std::string* error) {
    std::string setupFolder;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "--json") {
            options->json = true;
        } else if (arg == "--level" && hasValue) {
            const std::string& level = args[++i];
            if (level.size() != 1 || level[0] < '0' || level[0] > '9') {
                *error = "--level takes 0 to 9";
                return false;
            }
            options->level = level[0] - '0';
        } else if (arg == "--setup" && hasValue && options->hasSetup) {
            *error = "--setup is given twice";
            return false;
        } else if (arg == "--setup" && hasValue) {
            setupFolder = args[++i];
            options->hasSetup = true;
        } else if (!arg.empty() && arg[0] == '-') {
            *error = "unknown or incomplete option " + arg;
            return false;
        } else if (options->out.empty()) {
            options->out = arg;
        } else {
            std::size_t equals = arg.find('=');
            if (equals == 0 || equals == std::string::npos || equals + 1 == arg.size() ||
                arg.find_first_of(" \t\n") < equals) {
                *error = "'" + arg + "' is not NAME=DIR";
                return false;
            }
            options->sources.push_back({arg.substr(0, equals), arg.substr(equals + 1)});
        }
    }
    if (options->hasSetup)
        options->sources.push_back({"(setup)", setupFolder});
    if (options->out.empty() || options->sources.empty()) {
        *error = "needs OUT.zkiv and at least one package (--setup DIR or NAME=DIR)";
        return false;
    }
    return true;
}

// Opens a new file beside OUT for the volume: OUT itself is replaced only
// when the volume is whole (a failure keeps an earlier volume), and a link
// at OUT is replaced rather than written through.
std::FILE* CreateBeside(const std::string& out, std::string* temporary, std::string* error) {
    std::filesystem::path path(out);
    *temporary = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = mkostemp(temporary->data(), O_CLOEXEC);
    mode_t mask = umask(0);
    umask(mask);
    std::FILE* file = fd >= 0 && fchmod(fd, 0666 & ~mask) == 0 ? fdopen(fd, "wb") : nullptr;
    if (!file) {
        *error = "cannot create " + out + ": " + std::strerror(errno);
        if (fd >= 0) {
            close(fd);
            unlink(temporary->c_str());
        }
    }
    return file;
}

bool WriteVolume(const CreateOptions& options, const std::string& temporary, std::FILE* file,
                 std::vector<PackedPackage>* packed, std::uint32_t* setupOffset,
                 std::string* error) {
    std::unique_ptr<char[]> buffer(new char[1 << 20]);
    std::setvbuf(file, buffer.get(), _IOFBF, 1 << 20);
    ZipageWriter writer(options.level);
    bool ok = writer.Begin(file);
    const std::vector<std::filesystem::path> skip = {options.out, temporary};
    for (const PackageSource& source : options.sources) {
        if (!ok)
            break;
        packed->emplace_back();
        ok = PackFolder(writer, source, skip, &packed->back(), error);
    }
    *setupOffset = options.hasSetup && ok ? packed->back().info.offset : 0;
    ok = ok && writer.Finish(*setupOffset);
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        *error = "cannot write " + options.out + ": " + std::strerror(errno);
    }
    if (!ok && error->empty())
        *error = writer.Error();
    return ok;
}

bool CreateVolume(const CreateOptions& options, std::vector<PackedPackage>* packed,
                  std::uint32_t* setupOffset, std::string* error) {
    std::string temporary;
    std::FILE* file = CreateBeside(options.out, &temporary, error);
    if (!file)
        return false;
    bool ok = WriteVolume(options, temporary, file, packed, setupOffset, error);
    if (ok && std::rename(temporary.c_str(), options.out.c_str()) != 0) {
        ok = false;
        *error = "cannot replace " + options.out + ": " + std::strerror(errno);
    }
    if (!ok)
        unlink(temporary.c_str());
    return ok;
}
} // namespace

int RunPackCreate(const PackArgs& args) {
    if (WantsHelp(args)) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    CreateOptions options;
    std::string error;
    if (!ParseCreate(args, &options, &error))
        return PackUsageError("create", error, kHelp);
    std::vector<PackedPackage> packed;
    std::uint32_t setupOffset = 0;
    if (!CreateVolume(options, &packed, &setupOffset, &error))
        return PackError("create", error);
    PrintPackages(packed, setupOffset, options.json);
    return 0;
}
