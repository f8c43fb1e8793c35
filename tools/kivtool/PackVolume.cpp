#include "tools/kivtool/PackVolume.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <zlib.h>

namespace {
constexpr std::uint32_t kHeaderSize = 12;
constexpr std::uint32_t kMaxNameLength = 259;
constexpr std::size_t kChunk = 256 * 1024;
} // namespace

PackVolume::~PackVolume() {
    if (file_)
        std::fclose(file_);
}

bool PackVolume::Fail(const std::string& message) {
    error_ = message;
    return false;
}

bool PackVolume::ReadAt(std::uint32_t position, void* buffer, std::size_t size) {
    return position + size <= fileSize_ && fseeko(file_, position, SEEK_SET) == 0 &&
           std::fread(buffer, 1, size, file_) == size;
}

bool PackVolume::Read32(std::uint32_t position, std::uint32_t* value) {
    unsigned char bytes[4];
    if (!ReadAt(position, bytes, 4))
        return false;
    *value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return true;
}

bool PackVolume::Open(const std::string& hostPath) {
    struct stat info;
    file_ = std::fopen(hostPath.c_str(), "rb");
    if (!file_ || fstat(fileno(file_), &info) != 0 || !S_ISREG(info.st_mode))
        return Fail("cannot open the volume " + hostPath);
    fileSize_ = static_cast<std::uint64_t>(info.st_size);
    std::uint32_t stored = 0;
    if (fileSize_ < 12 || fileSize_ > 0x7FFFFFFF)
        return Fail("not a volume: its size is outside 12 bytes to 2 GiB");
    trailer_ = static_cast<std::uint32_t>(fileSize_ - 8);
    if (!Read32(trailer_ + 4, &stored) || stored != trailer_)
        return Fail("not a volume: the trailer does not name the position " +
                    std::to_string(trailer_));
    if (!Read32(0, &setupOffset_))
        return Fail("cannot read the volume");
    return true;
}

bool PackVolume::ReadPackage(std::uint32_t offset, PackPackageInfo* package) {
    package->offset = offset;
    package->members.clear();
    std::uint32_t count = 0;
    if (!Read32(offset, &count))
        return Fail("package offset " + std::to_string(offset) + " lies outside the volume");
    std::uint32_t link = offset + 4;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(count); ++i) {
        PackMemberInfo member;
        member.link = link;
        std::uint32_t values[3];
        std::string where = "package " + std::to_string(offset) + ", member " + std::to_string(i);
        if (!Read32(link, &member.header) || member.header < link + 4 ||
            !Read32(member.header, &values[0]) || !Read32(member.header + 4, &values[1]) ||
            !Read32(member.header + 8, &values[2]))
            return Fail(where + ": header offset outside the volume or not after its link");
        if (values[2] > kMaxNameLength)
            return Fail(where + ": name of " + std::to_string(values[2]) + " bytes");
        member.name.resize(values[2]);
        if (!ReadAt(member.header + kHeaderSize, member.name.data(), values[2]))
            return Fail(where + ": name runs past the end of the volume");
        member.size = values[0];
        member.crc = values[1];
        link = member.header + kHeaderSize + values[2];
        package->members.push_back(member);
    }
    package->end = link;
    return true;
}

bool PackVolume::ReadAllPackages(std::vector<PackPackageInfo>* packages) {
    packages->clear();
    std::uint32_t offset = 4;
    while (offset < trailer_) {
        PackPackageInfo package;
        if (!ReadPackage(offset, &package))
            return false;
        packages->push_back(package);
        offset = package.end;
    }
    if (offset != trailer_)
        return Fail("the packages do not end at the trailer; name their offsets");
    return true;
}

bool PackVolume::InflateMember(const PackMemberInfo& member, std::uint64_t* size,
                               std::uint32_t* crc) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return Fail("inflate cannot start");
    std::vector<unsigned char> in(kChunk), out(kChunk);
    std::uint32_t position = member.link + 4, remaining = member.CompressedSize();
    *size = 0;
    *crc = static_cast<std::uint32_t>(crc32(0, nullptr, 0));
    int result = Z_OK;
    while (result == Z_OK) {
        if (stream.avail_in == 0 && remaining > 0) {
            std::size_t piece = remaining < kChunk ? remaining : kChunk;
            if (!ReadAt(position, in.data(), piece))
                break;
            position += static_cast<std::uint32_t>(piece);
            remaining -= static_cast<std::uint32_t>(piece);
            stream.next_in = in.data();
            stream.avail_in = static_cast<uInt>(piece);
        }
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(kChunk);
        result = inflate(&stream, Z_NO_FLUSH);
        std::size_t made = kChunk - stream.avail_out;
        *crc = static_cast<std::uint32_t>(crc32(*crc, out.data(), static_cast<uInt>(made)));
        *size += made;
    }
    inflateEnd(&stream);
    if (result != Z_STREAM_END)
        return Fail(result == Z_BUF_ERROR ? "the compressed data ends early"
                                          : "the compressed data is corrupt");
    return true;
}
