#include "tools/kivtool/PackVolume.h"

#include "engine/ZipageMemberHeader.h"
#include "engine/ZipageWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <zlib.h>

namespace {
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

// Reads through a window of the file, so that the headers of small members,
// which lie close together, come in with one read for many.
bool PackVolume::ReadAt(std::uint32_t position, void* buffer, std::size_t size) {
    if (position + size > fileSize_)
        return false;
    if (size > kWindowSize)
        return ReadFully(position, buffer, size);
    if (position < windowStart_ || position + size > windowStart_ + windowLength_) {
        std::size_t length = std::min<std::uint64_t>(kWindowSize, fileSize_ - position);
        windowLength_ = 0;
        if (!ReadFully(position, window_.data(), length))
            return false;
        windowStart_ = position;
        windowLength_ = length;
    }
    std::memcpy(buffer, window_.data() + (position - windowStart_), size);
    return true;
}

bool PackVolume::ReadFully(std::uint64_t position, void* buffer, std::size_t size) {
    unsigned char* bytes = static_cast<unsigned char*>(buffer);
    while (size > 0) {
        ssize_t got = pread(fileno(file_), bytes, size, static_cast<off_t>(position));
        if (got <= 0)
            return false;
        bytes += got;
        position += static_cast<std::uint64_t>(got);
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

bool PackVolume::Read32(std::uint32_t position, std::uint32_t* value) {
    unsigned char bytes[4];
    if (!ReadAt(position, bytes, 4))
        return false;
    *value = ZipageLe32(bytes);
    return true;
}

bool PackVolume::Open(const std::string& hostPath) {
    struct stat info;
    file_ = std::fopen(hostPath.c_str(), "rb");
    if (!file_ || fstat(fileno(file_), &info) != 0)
        return Fail("cannot read the volume " + hostPath + ": " + std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return Fail("cannot read the volume " + hostPath + ": not a plain file");
    fileSize_ = static_cast<std::uint64_t>(info.st_size);
    std::uint32_t stored = 0, mark = 0;
    if (fileSize_ < 12 || fileSize_ > 0x7FFFFFFF)
        return Fail("not a volume: its size is outside 12 bytes to 2 GiB");
    trailer_ = static_cast<std::uint32_t>(fileSize_ - 8);
    if (!Read32(trailer_, &mark) || !Read32(trailer_ + 4, &stored) || !Read32(0, &setupOffset_))
        return Fail("cannot read the volume " + hostPath + ": " + std::strerror(errno));
    if (stored != trailer_)
        return Fail("not a volume: the trailer does not name the position " +
                    std::to_string(trailer_));
    marked_ = mark == ZipageWriter::kMark;
    return true;
}

bool PackVolume::ReadPackage(std::uint32_t offset, PackPackageInfo* package) {
    package->offset = offset;
    package->members.clear();
    std::uint32_t count = 0;
    if (!Read32(offset, &count))
        return Fail("package offset " + std::to_string(offset) + " lies outside the volume");
    package->count = static_cast<std::int32_t>(count);
    std::uint32_t link = offset + 4;
    unsigned char bytes[ZipageMemberHeader::kMaxSize];
    for (std::int32_t i = 0; i < package->count; ++i) {
        ZipageMemberHeader header;
        std::uint32_t headerOffset = 0;
        std::string where = "package " + std::to_string(offset) + ", member " + std::to_string(i);
        if (!Read32(link, &headerOffset) || !header.SetLink(link, headerOffset, trailer_ + 8) ||
            !ReadAt(header.HeaderPosition(), bytes, header.BytesWanted()))
            return Fail(where + ": header offset outside the volume or not after its link");
        if (!header.Parse(bytes))
            return Fail(where + ": name of " + std::to_string(ZipageLe32(bytes + 8)) +
                        " bytes, past 259 or past the end of the volume");
        package->members.push_back({header.Name(), link, header.HeaderPosition(),
                                    header.FirstValue(), header.SecondValue()});
        link = header.NextLink();
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
        return Fail("the packages do not end at the trailer");
    return true;
}

// RFC 1950: deflate (method 8) with a window of at most 32 KiB, and a check
// value that makes the first two bytes a multiple of 31.
bool PackVolume::StartsZlibStream(const PackMemberInfo& member) {
    unsigned char head[2];
    return member.CompressedSize() >= 2 && ReadAt(member.link + 4, head, 2) &&
           (head[0] & 0x0F) == 8 && (head[0] >> 4) <= 7 && (head[0] << 8 | head[1]) % 31 == 0;
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
        return Fail(result == Z_BUF_ERROR || result == Z_OK ? "the compressed data ends early"
                                                            : "the compressed data is corrupt");
    return true;
}
