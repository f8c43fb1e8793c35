// The reference for the extraction benchmark: unpacks one package of an
// archive volume with plain zlib and POSIX files, into the same folder layout
// as "kivtool pack extract": for each member, read its whole compressed data,
// inflate it, write it. No checks beyond what it needs to stay in bounds.
//
//     archive_reference VOLUME OFFSET DEST
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace {
std::uint32_t Le32(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool ReadAt(int fd, void* buffer, std::size_t size, off_t at) {
    return pread(fd, buffer, size, at) == static_cast<ssize_t>(size);
}

bool WriteAll(int fd, const unsigned char* data, std::size_t size) {
    while (size > 0) {
        ssize_t put = write(fd, data, size);
        if (put <= 0)
            return false;
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

bool Inflate(const std::vector<unsigned char>& in, int out, std::vector<unsigned char>& buffer) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = const_cast<unsigned char*>(in.data());
    stream.avail_in = static_cast<uInt>(in.size());
    int result;
    do {
        stream.next_out = buffer.data();
        stream.avail_out = static_cast<uInt>(buffer.size());
        result = inflate(&stream, Z_NO_FLUSH);
        if (!WriteAll(out, buffer.data(), buffer.size() - stream.avail_out))
            result = Z_ERRNO;
    } while (result == Z_OK);
    inflateEnd(&stream);
    return result == Z_STREAM_END;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: archive_reference VOLUME OFFSET DEST\n");
        return 2;
    }
    int volume = open(argv[1], O_RDONLY);
    std::string dest = argv[3];
    mkdir(dest.c_str(), 0755);
    unsigned char bytes[12 + 260];
    std::uint32_t link = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 0));
    if (volume < 0 || !ReadAt(volume, bytes, 4, link))
        return 1;
    std::int32_t count = static_cast<std::int32_t>(Le32(bytes));
    link += 4;
    std::vector<unsigned char> compressed, buffer(256 * 1024);
    for (std::int32_t i = 0; i < count; ++i) {
        if (!ReadAt(volume, bytes, 4, link))
            return 1;
        std::uint32_t header = Le32(bytes);
        if (!ReadAt(volume, bytes, 12, header))
            return 1;
        std::uint32_t length = Le32(bytes + 8);
        if (length > 259 || !ReadAt(volume, bytes + 12, length, header + 12))
            return 1;
        std::string path = dest + "/" + std::string(reinterpret_cast<char*>(bytes + 12), length);
        compressed.resize(header - link - 4);
        int out = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || !ReadAt(volume, compressed.data(), compressed.size(), link + 4) ||
            !Inflate(compressed, out, buffer))
            return 1;
        close(out);
        link = header + 12 + length;
    }
    close(volume);
    return 0;
}
