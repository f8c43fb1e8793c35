// PackVolume: reads the structure of an archive volume on the host for
// "kivtool pack list", "verify" and "extract": the volume check, the packages
// and their members' headers (by the rules the setup's reader follows), and
// each member's compressed data.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct PackMemberInfo {
    std::string name;         // as stored: ANSI code page bytes
    std::uint32_t link = 0;   // position of the link; the data follows it
    std::uint32_t header = 0; // position of the header; the data ends there
    std::uint32_t size = 0;   // first header value: our writer's uncompressed size
    std::uint32_t crc = 0;    // second header value: our writer's CRC-32
    std::uint32_t CompressedSize() const { return header - link - 4; }
};

struct PackPackageInfo {
    std::uint32_t offset = 0;
    std::int32_t count = 0; // as stored; 0 or less is an empty package
    std::uint32_t end = 0;  // the position after the last member's header
    std::vector<PackMemberInfo> members;
};

class PackVolume {
public:
    PackVolume() = default;
    ~PackVolume();
    PackVolume(const PackVolume&) = delete;
    PackVolume& operator=(const PackVolume&) = delete;

    // Opens the volume and applies the volume check.
    bool Open(const std::string& hostPath);
    std::uint32_t SetupOffset() const { return setupOffset_; }
    // Position of the trailer's first value (size - 8).
    std::uint32_t TrailerPosition() const { return trailer_; }
    // Whether our writer made the volume (its trailer carries the writer's
    // mark), so that its member headers hold sizes and CRC-32s.
    bool Marked() const { return marked_; }

    // Reads the package at offset; fails when its count, a link or a header
    // lies outside the volume, as the setup's reader would.
    bool ReadPackage(std::uint32_t offset, PackPackageInfo* package);
    // The packages laid one after another from position 4 up to the trailer,
    // as our writer lays them. Fails when they do not fill that span.
    bool ReadAllPackages(std::vector<PackPackageInfo>* packages);
    // Whether a member's data begins with a zlib stream header.
    bool StartsZlibStream(const PackMemberInfo& member);
    // Inflates a member's data in memory to the end of its zlib stream
    // (checking its Adler-32); gives its size and CRC-32.
    bool InflateMember(const PackMemberInfo& member, std::uint64_t* size, std::uint32_t* crc);

    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& message);
    bool ReadAt(std::uint32_t position, void* buffer, std::size_t size);
    bool ReadFully(std::uint64_t position, void* buffer, std::size_t size);
    bool Read32(std::uint32_t position, std::uint32_t* value);

    std::FILE* file_ = nullptr;
    std::uint64_t fileSize_ = 0;
    std::uint32_t trailer_ = 0;
    std::uint32_t setupOffset_ = 0;
    bool marked_ = false;
    std::string error_;
    static constexpr std::size_t kWindowSize = 64 * 1024;
    std::vector<unsigned char> window_ = std::vector<unsigned char>(kWindowSize);
    std::uint64_t windowStart_ = 0;
    std::size_t windowLength_ = 0;
};
