// ZipageMemberHeader: the rules for reading one member's link and header,
// shared by the setup's reader and the volume tools so that both accept the
// same volumes. The caller does the reading; this class says which bytes to
// read and whether what was read holds.
//
// A member whose link lies at L: the link is the header offset H; the
// compressed data lies between L + 4 and H; the header at H holds two free
// values, the name length n (below 260) and n name bytes; the next member's
// link follows at H + 12 + n.
#pragma once

#include <cstdint>

class ZipageMemberHeader {
public:
    static constexpr std::uint32_t kFixedSize = 12;
    static constexpr std::uint32_t kMaxNameLength = 259;
    // The fixed part and the longest name.
    static constexpr std::uint32_t kMaxSize = kFixedSize + kMaxNameLength;

    // Takes the header offset read from the link at `link`. The header must
    // lie after the link's 4 bytes, so that every member moves the reader
    // forward, and its fixed part must lie inside the volume.
    bool SetLink(std::uint32_t link, std::uint32_t headerOffset, std::uint32_t volumeSize);
    // How many bytes the caller reads at HeaderPosition(): the fixed part and
    // room for the longest name, as far as the volume goes.
    std::uint32_t BytesWanted() const { return wanted_; }
    // Reads the header from the BytesWanted() bytes at HeaderPosition().
    // False when the name length is 260 or more or the name runs past the
    // volume.
    bool Parse(const unsigned char* bytes);

    std::uint32_t Link() const { return link_; }
    std::uint32_t DataPosition() const { return link_ + 4; }
    std::uint32_t HeaderPosition() const { return header_; }
    std::uint32_t CompressedSize() const { return header_ - link_ - 4; }
    std::uint32_t NextLink() const { return header_ + kFixedSize + nameLength_; }
    // The two values that the setup's reader skips.
    std::uint32_t FirstValue() const { return first_; }
    std::uint32_t SecondValue() const { return second_; }
    // The name as stored (ANSI code page), terminated.
    const char* Name() const { return name_; }
    std::uint32_t NameLength() const { return nameLength_; }

private:
    std::uint32_t link_ = 0;
    std::uint32_t header_ = 0;
    std::uint32_t wanted_ = 0;
    std::uint32_t first_ = 0;
    std::uint32_t second_ = 0;
    std::uint32_t nameLength_ = 0;
    char name_[kMaxNameLength + 1] = {};
};

// A 32-bit little-endian value.
inline std::uint32_t ZipageLe32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
