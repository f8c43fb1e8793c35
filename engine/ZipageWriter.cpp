#include "engine/ZipageWriter.h"

#include <cerrno>
#include <cstring>
#include <sys/types.h>

namespace {
constexpr std::size_t kChunkSize = 256 * 1024;
// Compressed data held in memory before a member is streamed to the file.
constexpr std::size_t kMemberBufferSize = 4 * 1024 * 1024;
constexpr std::uint64_t kMaxVolumeSize = 0x7FFFFFFF;
constexpr std::size_t kMaxNameLength = 259;

void Store32(unsigned char* out, std::uint32_t value) {
    out[0] = static_cast<unsigned char>(value);
    out[1] = static_cast<unsigned char>(value >> 8);
    out[2] = static_cast<unsigned char>(value >> 16);
    out[3] = static_cast<unsigned char>(value >> 24);
}
} // namespace

ZipageWriter::ZipageWriter(int level) : level_(level), chunk_(kChunkSize) {}

ZipageWriter::~ZipageWriter() {
    if (streamOpen_)
        deflateEnd(&stream_);
}

bool ZipageWriter::Fail(const std::string& message) {
    if (error_.empty())
        error_ = message;
    return false;
}

bool ZipageWriter::Put(const void* data, std::size_t size) {
    if (position_ + size > kMaxVolumeSize)
        return Fail("the volume would exceed 2 GiB");
    if (size && std::fwrite(data, 1, size, file_) != size)
        return Fail(std::string("cannot write the volume: ") + std::strerror(errno));
    position_ += size;
    return true;
}

bool ZipageWriter::Put32(std::uint32_t value) {
    unsigned char bytes[4];
    Store32(bytes, value);
    return Put(bytes, 4);
}

bool ZipageWriter::Patch32(std::uint64_t position, std::uint32_t value) {
    unsigned char bytes[4];
    Store32(bytes, value);
    if (fseeko(file_, static_cast<off_t>(position), SEEK_SET) != 0 ||
        std::fwrite(bytes, 1, 4, file_) != 4 ||
        fseeko(file_, static_cast<off_t>(position_), SEEK_SET) != 0)
        return Fail(std::string("cannot update the volume: ") + std::strerror(errno));
    return true;
}

bool ZipageWriter::Begin(std::FILE* file) {
    file_ = file;
    position_ = 0;
    inPackage_ = false;
    error_.clear();
    if (!file_)
        return Fail("no volume file");
    return Put32(0);
}

bool ZipageWriter::BeginPackage() {
    if (!file_ || inPackage_)
        return Fail("a package is already open");
    packageOffset_ = position_;
    packageMembers_ = 0;
    packageBytes_ = 0;
    inPackage_ = true;
    return Put32(0);
}

bool ZipageWriter::BeginMember(const std::string& name) {
    if (!inPackage_ || streamOpen_)
        return Fail("a member must start inside a package, after the previous member");
    if (name.empty() || name.size() > kMaxNameLength)
        return Fail("member name '" + name + "' must have 1 to 259 bytes");
    stream_ = z_stream{};
    if (deflateInit(&stream_, level_) != Z_OK)
        return Fail("bad compression level " + std::to_string(level_));
    streamOpen_ = true;
    memberName_ = name;
    memberSize_ = 0;
    memberCrc_ = static_cast<std::uint32_t>(crc32(0, nullptr, 0));
    linkPosition_ = position_;
    linkWritten_ = false;
    pending_.clear();
    return true;
}

bool ZipageWriter::SpillMember() {
    if (!linkWritten_) {
        if (!Put32(0)) // the link, patched when the member ends
            return false;
        linkWritten_ = true;
    }
    bool ok = Put(pending_.data(), pending_.size());
    pending_.clear();
    return ok;
}

bool ZipageWriter::Deflate(int flush) {
    int result;
    do {
        stream_.next_out = chunk_.data();
        stream_.avail_out = static_cast<uInt>(chunk_.size());
        result = deflate(&stream_, flush);
        if (result == Z_STREAM_ERROR)
            return Fail("compression failed");
        std::size_t produced = chunk_.size() - stream_.avail_out;
        pending_.insert(pending_.end(), chunk_.data(), chunk_.data() + produced);
        if (pending_.size() >= kMemberBufferSize && !SpillMember())
            return false;
    } while (stream_.avail_out == 0);
    return flush != Z_FINISH || result == Z_STREAM_END || Fail("compression did not finish");
}

bool ZipageWriter::AddData(const void* data, std::size_t size) {
    if (!streamOpen_)
        return Fail("no member is open");
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        uInt piece = static_cast<uInt>(size < (1u << 30) ? size : (1u << 30));
        memberCrc_ = static_cast<std::uint32_t>(crc32(memberCrc_, bytes, piece));
        stream_.next_in = const_cast<Bytef*>(bytes);
        stream_.avail_in = piece;
        if (!Deflate(Z_NO_FLUSH))
            return false;
        memberSize_ += piece;
        bytes += piece;
        size -= piece;
    }
    return true;
}

bool ZipageWriter::EndMember() {
    if (!streamOpen_)
        return Fail("no member is open");
    bool ok = Deflate(Z_FINISH);
    deflateEnd(&stream_);
    streamOpen_ = false;
    if (!ok)
        return false;
    if (memberSize_ > 0xFFFFFFFFu)
        return Fail("member '" + memberName_ + "' is larger than 4 GiB");
    if (!linkWritten_) {
        std::uint64_t header = linkPosition_ + 4 + pending_.size();
        if (header > kMaxVolumeSize || !Put32(static_cast<std::uint32_t>(header)) ||
            !Put(pending_.data(), pending_.size()))
            return Fail("the volume would exceed 2 GiB");
    } else if (!SpillMember() || !Patch32(linkPosition_, static_cast<std::uint32_t>(position_))) {
        return false;
    }
    pending_.clear();
    if (!Put32(static_cast<std::uint32_t>(memberSize_)) || !Put32(memberCrc_) ||
        !Put32(static_cast<std::uint32_t>(memberName_.size())) ||
        !Put(memberName_.data(), memberName_.size()))
        return false;
    packageMembers_++;
    packageBytes_ += memberSize_;
    return true;
}

bool ZipageWriter::AddMember(const std::string& name, const void* data, std::size_t size) {
    return BeginMember(name) && AddData(data, size) && EndMember();
}

bool ZipageWriter::EndPackage(ZipagePackageInfo* info) {
    if (!inPackage_ || streamOpen_)
        return Fail("no package is open, or a member is still open");
    inPackage_ = false;
    if (!Patch32(packageOffset_, static_cast<std::uint32_t>(packageMembers_)))
        return false;
    if (info) {
        info->offset = static_cast<std::uint32_t>(packageOffset_);
        info->bytes = packageBytes_;
        info->members = packageMembers_;
    }
    return true;
}

bool ZipageWriter::Finish(std::uint32_t setupPackageOffset) {
    if (!file_ || inPackage_)
        return Fail("the volume has an open package");
    std::uint64_t trailer = position_;
    if (!Put32(kMark) || !Put32(static_cast<std::uint32_t>(trailer)) ||
        !Patch32(0, setupPackageOffset))
        return false;
    if (std::fflush(file_) != 0)
        return Fail(std::string("cannot write the volume: ") + std::strerror(errno));
    return true;
}
