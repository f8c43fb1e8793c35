#include "tools/kivtool/DistBuild.h"
#include "tools/kivtool/DistCheck.h"
#include "tools/kivtool/DistLanguages.h"
#include "tools/kivtool/DistNameCheck.h"
#include "tools/kivtool/DistVolumes.h"

#include "platform/Machine.h"

#include <cstdio>
#include <fstream>

namespace fs = std::filesystem;

namespace {
struct Build {
    explicit Build(const DistBuildRequest& r) : request(r) {}
    const DistBuildRequest& request;
    DistProject project;
    fs::path partial, work, files;
    std::vector<DistEntry> entries;
    DistEntry setup;
    DistConfigText config;
    int volumes = 1;
    std::vector<DistError> errors, warnings;

    bool Fail(DistError error) {
        errors.push_back(std::move(error));
        return false;
    }
};

void Print(const std::string& path, const std::vector<DistError>& problems, const char* kind) {
    for (const DistError& problem : problems)
        if (problem.line)
            std::fprintf(stderr, "%s:%d: %s: %s\n", path.c_str(), problem.line, kind,
                         problem.message.c_str());
        else
            std::fprintf(stderr, "%s: %s: %s\n", path.c_str(), kind, problem.message.c_str());
}

// Whether OUT_DIR may be replaced: missing, empty, or an earlier medium.
// Any other folder (the product's own, a home folder) is left alone.
bool Replaceable(const fs::path& out) {
    std::error_code code;
    return !fs::exists(out, code) || fs::is_directory(out / "Setup files", code) ||
           (fs::is_directory(out, code) && fs::is_empty(out, code));
}

// A build marks the folders it makes with this file: only a folder so
// marked (left by an earlier build that was stopped) is ever removed.
constexpr const char* kBuildMarker = ".kivtool-dist-build";

bool IsOurs(const fs::path& folder) {
    std::error_code code;
    return fs::is_directory(fs::symlink_status(folder, code)) &&
           fs::is_regular_file(fs::symlink_status(folder / kBuildMarker, code));
}

// Makes the folder afresh, marked as the build's; an earlier build's is
// removed first, anything else there is left alone and refused.
bool MakeOwnFolder(Build& b, const fs::path& folder) {
    std::error_code code;
    if (fs::exists(fs::symlink_status(folder, code))) {
        if (!IsOurs(folder))
            return b.Fail({0, folder.string() + " exists and was not made by kivtool dist build: "
                                                "it is left alone; move it away and build again"});
        fs::remove_all(folder, code);
    }
    fs::create_directories(folder, code);
    std::ofstream(folder / kBuildMarker, std::ios::binary).close();
    if (code || !IsOurs(folder))
        return b.Fail(
            {0, "cannot make " + folder.string() + (code ? ": " + code.message() : std::string())});
    return true;
}

// The folders of the build, emptied, and the machine whose code page names
// the members.
bool Prepare(Build& b) {
    std::error_code code;
    if (!Replaceable(b.request.out))
        return b.Fail({0, b.request.out + " exists and holds no medium (no \"Setup files\"): "
                                          "it is not replaced"});
    const fs::path partial = b.request.out + ".partial";
    const fs::path work = b.request.out + ".work";
    if (!MakeOwnFolder(b, partial))
        return false;
    b.partial = partial;
    if (!MakeOwnFolder(b, work))
        return false;
    b.work = work;
    b.files = b.partial / "Setup files";
    fs::create_directories(b.files, code);
    if (code)
        return b.Fail({0, "cannot make " + b.files.string() + ": " + code.message()});
    MachineSettings settings;
    settings.codePage = b.project.codePage;
    std::string error;
    if (!Machine::Create((b.work / "machine").string(), settings, &error) ||
        !Machine::Use((b.work / "machine").string()))
        return b.Fail({0, "cannot make the build's machine: " + error});
    return true;
}

bool PackEntries(Build& b) {
    DistError error;
    if (!CollectDistEntries(b.project, b.partial, &b.entries, &error))
        return b.Fail(error);
    for (std::size_t i = 0; i < b.entries.size(); ++i)
        if (b.entries[i].packed &&
            !PackDistEntry(b.entries[i], (b.work / ("p" + std::to_string(i) + ".zkiv")).string(),
                           b.project.level, &error))
            return b.Fail(error);
    for (const DistEntry& entry : b.entries)
        if (entry.size > 0x7FFFFFFF)
            return b.Fail({entry.line, "'" + entry.name + "' holds more than 2 GiB"});
    return true;
}

// The setup package: config.ini alone, in a scratch volume like the others.
bool PackSetup(Build& b) {
    const fs::path folder = b.work / "setup";
    std::error_code code;
    fs::create_directories(folder, code);
    std::ofstream((folder / "config.ini").string(), std::ios::binary) << b.config.text;
    b.setup = DistEntry();
    b.setup.name = "the setup package";
    b.setup.members = {{"config.ini", folder / "config.ini"}};
    DistError error;
    return PackDistEntry(b.setup, (b.work / "setup.zkiv").string(), b.project.level, &error) ||
           b.Fail(error);
}

// Lays out the volumes and writes the description until the main archive
// holds the setup package within the limit: each round keeps room for the
// setup package of the round before.
bool LayOut(Build& b) {
    std::uint32_t reserve = 0;
    for (int round = 0; round < 4; ++round) {
        DistError error;
        b.config = DistConfigText();
        if (!LayOutDistVolumes(b.entries, b.project.volumeSize, b.project.volumeSizeLine, reserve,
                               &b.volumes, &error) ||
            !WriteDistConfig(b.project, b.entries, b.volumes, &b.config, &error))
            return b.Fail(error);
        if (!PackSetup(b))
            return false;
        if (!b.project.volumeSize ||
            DistMainVolumeSize(b.entries, b.setup.length) <= b.project.volumeSize)
            return true;
        reserve = b.setup.length + 64;
    }
    return b.Fail({b.project.volumeSizeLine, "archive.zkiv finds no room for the setup package"});
}

bool WriteMedium(Build& b) {
    std::string error;
    for (int index = 0; index < b.volumes; ++index)
        if (!WriteDistVolume(b.entries, index == 0 ? &b.setup : nullptr, index, b.files, &error))
            return b.Fail({0, error});
    DistText resources = b.project.resources;
    if (resources.value.empty())
        resources.value = b.request.resources.empty() ? KIV_RESOURCE_SOURCES : b.request.resources;
    DistError failure;
    if (!WriteDistLanguages(b.project, resources, b.files, &failure))
        return b.Fail(failure);
    DistText program = b.project.setupProgram;
    if (program.value.empty())
        program.value = b.request.setupProgram;
    std::error_code code;
    if (!program.value.empty())
        fs::copy_file(program.value, b.partial / "Setup.exe", code);
    if (code)
        return b.Fail({program.line,
                       "cannot copy the setup program " + program.value + ": " + code.message()});
    return true;
}

bool Finish(Build& b) {
    std::error_code code;
    fs::remove(b.partial / kBuildMarker, code);
    fs::remove_all(b.request.out, code);
    fs::rename(b.partial, b.request.out, code);
    if (code)
        return b.Fail({0, "cannot rename " + b.partial.string() + " to " + b.request.out + ": " +
                              code.message()});
    return true;
}

bool Run(Build& b) {
    return ReadDistProject(b.request.project, &b.project, &b.errors) && Prepare(b) &&
           PackEntries(b) && CheckDistNames(b.project, b.entries, &b.errors, &b.warnings) &&
           LayOut(b) && WriteMedium(b) &&
           CheckDistMedium(b.project, b.config, (b.work / "setup/config.ini").string(), b.volumes,
                           b.files, &b.errors, &b.warnings) &&
           Finish(b);
}
} // namespace

int RunDistBuild(const DistBuildRequest& request) {
    Build build(request);
    const bool built = Run(build);
    std::error_code code;
    if (!build.work.empty())
        fs::remove_all(build.work, code);
    if (!built && !build.partial.empty())
        fs::remove_all(build.partial, code);
    Print(request.project, build.warnings, "warning");
    Print(request.project, build.errors, "error");
    if (!built)
        return 1;
    std::uintmax_t bytes = 0;
    for (const auto& file : fs::recursive_directory_iterator(request.out, code))
        bytes += file.is_regular_file() ? file.file_size() : 0;
    std::printf("%s: %zu install entries, %d volume%s, %ju bytes\n", request.out.c_str(),
                build.entries.size(), build.volumes, build.volumes == 1 ? "" : "s", bytes);
    return 0;
}
