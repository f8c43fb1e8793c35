#include "tools/kivtool/DistEntries.h"
#include "tools/kivtool/PackVolume.h"
#include "tools/kivtool/PackWrite.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace fs = std::filesystem;

namespace {
std::string Backslashes(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// A copied folder: its plain files go onto the medium; its size is theirs.
bool CopyFolder(const DistFolder& folder, const fs::path& medium, DistEntry* entry,
                DistError* error) {
    std::string message;
    std::vector<PackSourceFile> files;
    if (!ListPackSource(folder.source, {}, &files, &message)) {
        *error = {folder.sourceLine, message};
        return false;
    }
    std::error_code code;
    fs::create_directories(medium / folder.mediumFolder, code);
    for (const PackSourceFile& file : files) {
        fs::copy_file(file.path, medium / folder.mediumFolder / file.path.filename(), code);
        entry->size += code ? 0 : fs::file_size(file.path, code);
        if (code) {
            *error = {folder.line, "cannot copy " + file.path.string() + ": " + code.message()};
            return false;
        }
    }
    return true;
}

bool FolderEntry(const DistFolder& folder, const fs::path& medium, DistEntry* entry,
                 DistError* error) {
    entry->line = folder.line;
    entry->name = folder.name;
    entry->target = Backslashes(folder.target);
    entry->packed = folder.packed;
    entry->source = folder.packed ? "" : folder.mediumFolder;
    entry->system = folder.system;
    entry->run = folder.run;
    entry->wantedVolume = folder.packed ? folder.volume : 1;
    entry->volume = 1;
    entry->volumeLine = folder.volumeLine;
    if (!folder.packed)
        return CopyFolder(folder, medium, entry, error);
    std::string message;
    if (!ListPackSource(folder.source, {}, &entry->members, &message)) {
        *error = {folder.sourceLine, message};
        return false;
    }
    return true;
}

// A picture's colour file and, when there is one, its mask, under the
// names the setup looks for.
void AddPicture(const DistImage& image, const char* name, DistEntry* entry) {
    if (!image.line)
        return;
    std::error_code code;
    const std::string base = image.base.string();
    entry->line = entry->line ? entry->line : image.line;
    entry->members.push_back({std::string(name) + "_rgb.jpg", base + "_rgb.jpg"});
    if (fs::is_regular_file(base + "_alp.jpg", code))
        entry->members.push_back({std::string(name) + "_alp.jpg", base + "_alp.jpg"});
}

void PictureEntries(const DistProject& project, std::vector<DistEntry>* entries) {
    DistEntry side, logos;
    side.name = "SideImage";
    side.target = "Resources";
    logos.name = "Logos";
    logos.target = "Logos";
    side.wantedVolume = logos.wantedVolume = 1;
    AddPicture(project.sideImage, "leftimage", &side);
    AddPicture(project.makerLogo, "kiv", &logos);
    AddPicture(project.productLogo, "talvic4", &logos);
    for (DistEntry* entry : {&side, &logos})
        if (!entry->members.empty())
            entries->push_back(std::move(*entry));
}
} // namespace

bool CollectDistEntries(const DistProject& project, const fs::path& medium,
                        std::vector<DistEntry>* entries, DistError* error) {
    for (const DistFolder& folder : project.folders) {
        entries->emplace_back();
        if (!FolderEntry(folder, medium, &entries->back(), error))
            return false;
    }
    PictureEntries(project, entries);
    return true;
}

bool PackDistEntry(DistEntry& entry, const std::string& path, int level, DistError* error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        *error = {entry.line, "cannot create " + path + ": " + std::strerror(errno)};
        return false;
    }
    ZipageWriter writer(level);
    ZipagePackageInfo info;
    std::string message;
    bool ok = writer.Begin(file) && PackMembers(writer, entry.members, &info, &message) &&
              writer.Finish(0);
    if (std::fclose(file) != 0 && ok)
        message = "cannot write " + path + ": " + std::strerror(errno);
    PackVolume volume;
    PackPackageInfo package;
    if (ok && message.empty() && (!volume.Open(path) || !volume.ReadPackage(4, &package)))
        message = volume.Error();
    if (!ok || !message.empty()) {
        *error = {entry.line, message.empty() ? writer.Error() : message};
        return false;
    }
    entry.scratch = path;
    entry.size = info.bytes;
    entry.length = volume.TrailerPosition() - 4;
    for (const PackMemberInfo& member : package.members)
        entry.links.push_back(member.link);
    return true;
}
