// ZipageWriter: writes an archive volume that the reader (Zipage) unpacks.
//
// Layout written (all integers 32-bit little-endian, offsets absolute):
//   0                 setup-package offset (0 when there is none)
//   packages          count N, then per member: link (header offset H),
//                     one zlib stream, header at H (uncompressed size,
//                     CRC-32, name length n, n name bytes)
//   size - 8          kMark (a free value), which tells a volume of this
//                     writer, and so its sizes and CRC-32s, from others
//   size - 4          size - 8, the trailer the reader checks
//
// The writer streams into a stdio file owned by the caller. Small members are
// compressed in memory and written in one piece; a member whose compressed
// data outgrows the member buffer is streamed and its link patched at the end.
// Offsets are kept below 2 GiB because the reader takes them as signed 32-bit.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <zlib.h>

struct ZipagePackageInfo {
    std::uint32_t offset = 0; // where the package's count lies
    std::uint64_t bytes = 0;  // total uncompressed size of its members
    int members = 0;
};

class ZipageWriter {
public:
    // The free trailer value of the volumes this writer makes.
    static constexpr std::uint32_t kMark = 0x56494B5A; // "ZKIV" in the file

    // level: zlib compression level 0..9, or -1 for zlib's default.
    explicit ZipageWriter(int level = Z_DEFAULT_COMPRESSION);
    ~ZipageWriter();
    ZipageWriter(const ZipageWriter&) = delete;
    ZipageWriter& operator=(const ZipageWriter&) = delete;

    // Starts a volume at the beginning of file (opened for binary writing).
    bool Begin(std::FILE* file);
    bool BeginPackage();
    // name: member file name in the ANSI code page, 1 to 259 bytes.
    bool BeginMember(const std::string& name);
    bool AddData(const void* data, std::size_t size);
    bool EndMember();
    bool EndPackage(ZipagePackageInfo* info);
    // Stores the setup-package offset at position 0 and writes the trailer.
    bool Finish(std::uint32_t setupPackageOffset);

    // Convenience: one whole member from memory.
    bool AddMember(const std::string& name, const void* data, std::size_t size);

    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& message);
    bool Deflate(int flush);
    bool Put(const void* data, std::size_t size);
    bool Put32(std::uint32_t value);
    bool Patch32(std::uint64_t position, std::uint32_t value);
    bool SpillMember();

    std::FILE* file_ = nullptr;
    int level_;
    z_stream stream_{};
    bool streamOpen_ = false;
    std::uint64_t position_ = 0; // bytes written to the volume so far
    std::uint64_t packageOffset_ = 0;
    bool inPackage_ = false;
    int packageMembers_ = 0;
    std::uint64_t packageBytes_ = 0;

    // The member being written.
    std::string memberName_;
    std::uint64_t memberSize_ = 0;
    std::uint32_t memberCrc_ = 0;
    std::uint64_t linkPosition_ = 0;
    bool linkWritten_ = false;           // spilled: link placeholder already in the file
    std::vector<unsigned char> pending_; // compressed data not yet written
    std::vector<unsigned char> chunk_;   // deflate's output window

    std::string error_;
};
