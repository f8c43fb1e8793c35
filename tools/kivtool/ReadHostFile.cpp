#include "tools/kivtool/ReadHostFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

HostFileRead Fail(HostFileRead kind, const std::string& reason, std::string* error) {
    *error = reason;
    return kind;
}

// Appends up to maxBytes + 1 bytes of file to *bytes.
HostFileRead ReadAll(std::FILE* file, std::size_t maxBytes, std::string* bytes,
                     std::string* error) {
    char block[65536];
    for (std::size_t count; (count = std::fread(block, 1, sizeof block, file)) > 0;) {
        if (count > maxBytes - bytes->size())
            return Fail(HostFileRead::kTooLarge, "larger than " + ByteSizeText(maxBytes), error);
        bytes->append(block, count);
    }
    if (std::ferror(file))
        return Fail(HostFileRead::kFailed, std::strerror(errno ? errno : EIO), error);
    return HostFileRead::kRead;
}

} // namespace

HostFileRead ReadHostFile(const std::string& path, std::size_t maxBytes, std::string* bytes,
                          std::string* error) {
    bytes->clear();
    std::FILE* opened = std::fopen(path.c_str(), "rb");
    if (!opened)
        return Fail(HostFileRead::kCannotOpen, std::strerror(errno), error);
    std::unique_ptr<std::FILE, FileCloser> file(opened);
    try {
        const HostFileRead result = ReadAll(file.get(), maxBytes, bytes, error);
        if (result != HostFileRead::kRead)
            bytes->clear();
        return result;
    } catch (const std::bad_alloc&) {
        std::string().swap(*bytes);
        return Fail(HostFileRead::kFailed, "not enough memory to read it", error);
    }
}

std::string ByteSizeText(std::size_t bytes) {
    if (bytes >= (std::size_t(1) << 20) && bytes % (std::size_t(1) << 20) == 0)
        return std::to_string(bytes >> 20) + " MiB";
    if (bytes >= 1024 && bytes % 1024 == 0)
        return std::to_string(bytes >> 10) + " KiB";
    return std::to_string(bytes) + " bytes";
}
