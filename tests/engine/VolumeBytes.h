// Archive volumes written byte by byte from the volume layout, independently
// of the project's own writer, so that the reader is tested against the
// format and not against itself.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include <zlib.h>

// One zlib stream (RFC 1950) of data, as deflate makes it with default
// window bits.
inline std::string ZlibStream(const std::string& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(data.data()),
              static_cast<uLong>(data.size()), 6);
    out.resize(size);
    return out;
}

class VolumeBytes {
public:
    VolumeBytes() { U32(0); } // the setup-package offset, set later

    std::uint32_t Size() const { return static_cast<std::uint32_t>(bytes_.size()); }
    VolumeBytes& U32(std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes_ += static_cast<char>(value >> (8 * i));
        return *this;
    }
    VolumeBytes& Raw(const std::string& data) {
        bytes_ += data;
        return *this;
    }
    void Patch(std::uint32_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes_[at + i] = static_cast<char>(value >> (8 * i));
    }

    // Starts a package: returns its offset.
    std::uint32_t Package(std::int32_t count) {
        std::uint32_t offset = Size();
        U32(static_cast<std::uint32_t>(count));
        return offset;
    }
    // A member: link, compressed data, header (two free values, name length,
    // name). Returns the link's position.
    std::uint32_t Member(const std::string& name, const std::string& compressed) {
        std::uint32_t link = Size();
        U32(link + 4 + static_cast<std::uint32_t>(compressed.size()));
        Raw(compressed);
        U32(0xAAAAAAAA).U32(0xBBBBBBBB).U32(static_cast<std::uint32_t>(name.size())).Raw(name);
        return link;
    }
    // The free value and the trailer, which names the position 8 bytes
    // before the end.
    VolumeBytes& Trailer() {
        std::uint32_t at = Size();
        return U32(0).U32(at);
    }

    const std::string& Bytes() const { return bytes_; }
    bool Save(const std::string& hostPath) const {
        std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
        out.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
        return static_cast<bool>(out);
    }

private:
    std::string bytes_;
};
