#include "tools/kivtool/DistVolumes.h"

#include "engine/ZipageWriter.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

namespace {
constexpr std::uint32_t kVolumeOverhead = 4 + 8; // setup-package offset, trailer

struct File {
    std::FILE* file = nullptr;
    ~File() {
        if (file)
            std::fclose(file);
    }
};

bool Put32(std::FILE* out, std::uint32_t value) {
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    return std::fwrite(bytes, 1, 4, out) == 4;
}

bool CopyBytes(std::FILE* in, std::FILE* out, std::uint64_t count, std::vector<char>& buffer) {
    while (count > 0) {
        const std::size_t step = count < buffer.size() ? count : buffer.size();
        if (std::fread(buffer.data(), 1, step, in) != step ||
            std::fwrite(buffer.data(), 1, step, out) != step)
            return false;
        count -= step;
    }
    return true;
}

// Copies the entry's package from its scratch volume to the end of out, at
// offset, moving every member's link by the distance.
bool MovePackage(const DistEntry& entry, std::uint32_t offset, std::FILE* out,
                 std::vector<char>& buffer) {
    File in{std::fopen(entry.scratch.c_str(), "rb")};
    if (!in.file || std::fseek(in.file, 4, SEEK_SET) != 0)
        return false;
    std::uint32_t position = 4;
    for (std::uint32_t link : entry.links) {
        unsigned char bytes[4];
        if (!CopyBytes(in.file, out, link - position, buffer) ||
            std::fread(bytes, 1, 4, in.file) != 4)
            return false;
        const std::uint32_t header =
            bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
        if (!Put32(out, header - 4 + offset))
            return false;
        position = link + 4;
    }
    return CopyBytes(in.file, out, 4 + entry.length - position, buffer);
}

std::string Bytes(std::uint64_t size) {
    return std::to_string(size) + " bytes";
}

// Every volume up to the last one holds a package: the description lists
// volumes by position, and an empty one would hold nothing to check.
bool Contiguous(const std::vector<DistEntry>& entries, int volumes, DistError* error) {
    std::array<bool, kDistMaxVolumes + 1> held{};
    for (const DistEntry& entry : entries)
        held[entry.volume] = held[entry.volume] || entry.packed;
    int last = 1;
    for (int volume = 2; volume <= volumes; ++volume) {
        if (!held[volume])
            continue;
        for (const DistEntry& entry : entries)
            if (last + 1 < volume && entry.packed && entry.volume == volume) {
                *error = {entry.volumeLine ? entry.volumeLine : entry.line,
                          "volume " + std::to_string(volume) + " follows volume " +
                              std::to_string(last) + ": volumes are numbered without a gap"};
                return false;
            }
        last = volume;
    }
    return true;
}
} // namespace

std::string DistVolumeName(int index) {
    return index == 0 ? "archive.zkiv" : "archive" + std::to_string(index) + ".zkiv";
}

bool LayOutDistVolumes(std::vector<DistEntry>& entries, std::uint64_t limit, int limitLine,
                       std::uint32_t reserve, int* volumes, DistError* error) {
    std::array<std::uint64_t, kDistMaxVolumes + 1> used{};
    used.fill(kVolumeOverhead);
    used[1] += reserve;
    const std::uint64_t room = limit ? limit : UINT64_MAX;
    for (const DistEntry& entry : entries)
        if (entry.packed && kVolumeOverhead + entry.length > room) {
            *error = {limitLine, "volume-size " + Bytes(limit) + " is smaller than '" + entry.name +
                                     "' packed (" + Bytes(kVolumeOverhead + entry.length) +
                                     " with the volume's own)"};
            return false;
        }
    for (DistEntry& entry : entries)
        if (entry.packed && entry.wantedVolume)
            used[entry.wantedVolume] += entry.length;
    int current = 1;
    *volumes = 1;
    for (DistEntry& entry : entries) {
        if (!entry.packed)
            continue;
        entry.volume = entry.wantedVolume;
        if (!entry.volume) {
            while (current <= kDistMaxVolumes && used[current] + entry.length > room)
                ++current;
            if (current > kDistMaxVolumes) {
                *error = {entry.line, "'" + entry.name + "' finds no room in " +
                                          std::to_string(kDistMaxVolumes) + " volumes of " +
                                          Bytes(limit)};
                return false;
            }
            entry.volume = current;
            used[current] += entry.length;
        } else if (used[entry.volume] > room) {
            *error = {entry.volumeLine ? entry.volumeLine : entry.line,
                      "volume " + std::to_string(entry.volume) + " needs " +
                          Bytes(used[entry.volume]) + ", more than volume-size " + Bytes(limit)};
            return false;
        }
        *volumes = std::max(*volumes, entry.volume);
    }
    std::array<std::uint64_t, kDistMaxVolumes + 1> end;
    end.fill(4);
    if (!Contiguous(entries, *volumes, error))
        return false;
    for (DistEntry& entry : entries)
        if (entry.packed) {
            entry.offset = static_cast<std::uint32_t>(end[entry.volume]);
            end[entry.volume] += entry.length;
        }
    for (int volume = 1; volume <= *volumes; ++volume)
        if (end[volume] + 8 + (volume == 1 ? reserve : 0) > 0x7FFFFFFF) {
            *error = {limitLine,
                      "volume " + std::to_string(volume) + " would pass 2 GiB: set a volume-size"};
            return false;
        }
    return true;
}

std::uint64_t DistMainVolumeSize(const std::vector<DistEntry>& entries, std::uint32_t setup) {
    std::uint64_t size = kVolumeOverhead + setup;
    for (const DistEntry& entry : entries)
        if (entry.packed && entry.volume == 1)
            size += entry.length;
    return size;
}

bool WriteDistVolume(const std::vector<DistEntry>& entries, const DistEntry* setup, int index,
                     const std::filesystem::path& folder, std::string* error) {
    const std::string path = (folder / DistVolumeName(index)).string();
    File out{std::fopen(path.c_str(), "wb")};
    std::vector<char> buffer(1 << 20);
    std::uint32_t position = 4;
    bool ok = out.file && Put32(out.file, 0);
    for (const DistEntry& entry : entries)
        if (ok && entry.packed && entry.volume == index + 1) {
            ok = MovePackage(entry, position, out.file, buffer);
            position += entry.length;
        }
    const std::uint32_t setupOffset = setup ? position : 0;
    if (ok && setup) {
        ok = MovePackage(*setup, position, out.file, buffer);
        position += setup->length;
    }
    ok = ok && Put32(out.file, ZipageWriter::kMark) && Put32(out.file, position) &&
         std::fseek(out.file, 0, SEEK_SET) == 0 && Put32(out.file, setupOffset);
    ok = out.file && std::fclose(out.file) == 0 && ok;
    out.file = nullptr;
    if (!ok)
        *error = "cannot write " + path + ": " + std::strerror(errno);
    return ok;
}
