#include "platform/PeImageFile.h"

#include "platform/LittleEndian.h"
#include "platform/WinError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::size_t kDosHeaderSize = 64;
const std::size_t kNewHeaderOffset = 0x3C; // e_lfanew
const std::size_t kCoffHeaderSize = 20;
const std::size_t kSectionHeaderSize = 40;
const WORD kMagicPe32 = 0x10B;
const WORD kMagicPe32Plus = 0x20B;
// Where the data directories start in the optional header of each kind; the
// count of directories is the DWORD just before them.
const std::size_t kDirectoriesPe32 = 96;
const std::size_t kDirectoriesPe32Plus = 112;
const DWORD kResourceDirectory = 2;

} // namespace

DWORD PeImageFile::Open(int fd) {
    fd_ = fd;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return ERROR_BAD_EXE_FORMAT;
    fileSize_ = static_cast<ULONGLONG>(info.st_size);
    BYTE dos[kDosHeaderSize];
    if (!ReadAt(0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z')
        return ERROR_BAD_EXE_FORMAT;
    ULONGLONG signature = LittleEndian::Dword(dos + kNewHeaderOffset);
    BYTE headers[4 + kCoffHeaderSize];
    if (!ReadAt(signature, headers, sizeof headers) || std::memcmp(headers, "PE\0\0", 4) != 0)
        return ERROR_BAD_EXE_FORMAT;
    const BYTE* coff = headers + 4;
    WORD sectionCount = LittleEndian::Word(coff + 2);
    WORD optionalSize = LittleEndian::Word(coff + 16);
    ULONGLONG optional = signature + sizeof headers;
    if (!ReadOptionalHeader(optional, optionalSize) ||
        !ReadSectionTable(optional + optionalSize, sectionCount))
        return ERROR_BAD_EXE_FORMAT;
    return ERROR_SUCCESS;
}

// The optional header must hold its fixed part up to the data directories;
// the resource directory counts only when the header really has room for it.
bool PeImageFile::ReadOptionalHeader(ULONGLONG offset, WORD size) {
    std::vector<BYTE> header(size);
    if (size < 2 || !ReadAt(offset, header.data(), size))
        return false;
    WORD magic = LittleEndian::Word(header.data());
    if (magic != kMagicPe32 && magic != kMagicPe32Plus)
        return false;
    std::size_t directories = magic == kMagicPe32 ? kDirectoriesPe32 : kDirectoriesPe32Plus;
    if (size < directories)
        return false;
    DWORD count = LittleEndian::Dword(header.data() + directories - 4);
    std::size_t resource = directories + kResourceDirectory * 8;
    if (count > kResourceDirectory && size >= resource + 8)
        resourceRva_ = LittleEndian::Dword(header.data() + resource);
    return true;
}

bool PeImageFile::ReadSectionTable(ULONGLONG offset, WORD count) {
    std::vector<BYTE> table(std::size_t{count} * kSectionHeaderSize);
    if (!ReadAt(offset, table.data(), table.size()))
        return false;
    sections_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const BYTE* header = table.data() + i * kSectionHeaderSize;
        sections_[i] = {LittleEndian::Dword(header + 12), LittleEndian::Dword(header + 8),
                        LittleEndian::Dword(header + 16), LittleEndian::Dword(header + 20)};
    }
    return true;
}

// The bytes must lie in the part of a section that the file holds and that
// is mapped: past its virtual size the loader would show zeros, past its raw
// size the file has nothing.
bool PeImageFile::ReadRva(ULONGLONG rva, void* out, std::size_t size) const {
    for (const Section& section : sections_) {
        if (rva < section.virtualAddress)
            continue;
        ULONGLONG inside = rva - section.virtualAddress;
        ULONGLONG extent =
            section.virtualSize ? std::min(section.virtualSize, section.rawSize) : section.rawSize;
        if (inside < extent && size <= extent - inside)
            return ReadAt(section.rawOffset + inside, out, size);
    }
    return false;
}

bool PeImageFile::ReadAt(ULONGLONG offset, void* out, std::size_t size) const {
    if (offset > fileSize_ || size > fileSize_ - offset)
        return false;
    std::size_t done = 0;
    while (done < size) {
        ssize_t got = pread(fd_, static_cast<BYTE*>(out) + done, size - done,
                            static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}
