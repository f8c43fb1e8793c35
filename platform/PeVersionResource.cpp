#include "platform/PeVersionResource.h"

#include "platform/LittleEndian.h"
#include "platform/WinError.h"
#include "platform/WinVer.h"

namespace {

const std::size_t kDirectoryHeaderSize = 16;
const std::size_t kEntrySize = 8;
const std::size_t kDataEntrySize = 16;
const std::size_t kNodeHeaderSize = 6; // length, value length, type
const DWORD kSubdirectory = 0x80000000u;
const int kLevels = 3; // type, name, language

struct Entry {
    DWORD name;   // an ID, or kSubdirectory | offset of a name
    DWORD target; // kSubdirectory | offset of a directory, or offset of a data entry
};

// The entries of the directory at an offset from the start of the tree. The
// counts are WORDs, so at most 131070 entries (about 1 MB) are read, and only
// when the section really holds them.
bool ReadDirectory(const PeImageFile& image, DWORD at, std::vector<Entry>* entries) {
    ULONGLONG start = ULONGLONG{image.ResourceRva()} + at;
    BYTE header[kDirectoryHeaderSize];
    if (!image.ReadRva(start, header, sizeof header))
        return false;
    std::size_t count =
        std::size_t{LittleEndian::Word(header + 12)} + LittleEndian::Word(header + 14);
    std::vector<BYTE> raw(count * kEntrySize);
    if (count && !image.ReadRva(start + sizeof header, raw.data(), raw.size()))
        return false;
    entries->resize(count);
    for (std::size_t i = 0; i < count; ++i)
        (*entries)[i] = {LittleEndian::Dword(&raw[i * kEntrySize]),
                         LittleEndian::Dword(&raw[i * kEntrySize + 4])};
    return true;
}

// The entry taken at a level: the version type among the types, then the
// first name and the first language.
const Entry* Pick(const std::vector<Entry>& entries, int level) {
    if (level > 0)
        return entries.empty() ? nullptr : &entries.front();
    for (const Entry& entry : entries)
        if (entry.name == VS_FILE_INFO)
            return &entry;
    return nullptr;
}

// Walks the three levels of the tree to the data entry of the version
// resource; *at receives its offset from the start of the tree. The depth is
// fixed, so a directory that points back at itself cannot loop.
DWORD FindDataEntry(const PeImageFile& image, DWORD* at) {
    static const DWORD missing[kLevels] = {ERROR_RESOURCE_TYPE_NOT_FOUND,
                                           ERROR_RESOURCE_NAME_NOT_FOUND,
                                           ERROR_RESOURCE_LANG_NOT_FOUND};
    if (image.ResourceRva() == 0)
        return ERROR_RESOURCE_DATA_NOT_FOUND;
    *at = 0;
    std::vector<Entry> entries;
    for (int level = 0; level < kLevels; ++level) {
        if (!ReadDirectory(image, *at, &entries))
            return ERROR_RESOURCE_DATA_NOT_FOUND;
        const Entry* entry = Pick(entries, level);
        if (!entry)
            return missing[level];
        bool isDirectory = (entry->target & kSubdirectory) != 0;
        if (isDirectory != (level < kLevels - 1))
            return ERROR_RESOURCE_DATA_NOT_FOUND;
        *at = entry->target & ~kSubdirectory;
    }
    return ERROR_SUCCESS;
}

} // namespace

namespace PeVersionResource {

DWORD Read(const PeImageFile& image, std::vector<BYTE>* block) {
    DWORD at = 0;
    if (DWORD error = FindDataEntry(image, &at))
        return error;
    BYTE entry[kDataEntrySize];
    if (!image.ReadRva(ULONGLONG{image.ResourceRva()} + at, entry, sizeof entry))
        return ERROR_RESOURCE_DATA_NOT_FOUND;
    DWORD rva = LittleEndian::Dword(entry);
    DWORD size = LittleEndian::Dword(entry + 4);
    BYTE root[kNodeHeaderSize];
    if (size < sizeof root)
        return ERROR_INVALID_DATA;
    if (!image.ReadRva(rva, root, sizeof root))
        return ERROR_RESOURCE_DATA_NOT_FOUND;
    WORD length = LittleEndian::Word(root);
    if (length < sizeof root || length > size)
        return ERROR_INVALID_DATA;
    block->resize(length);
    if (!image.ReadRva(rva, block->data(), length))
        return ERROR_RESOURCE_DATA_NOT_FOUND;
    return ERROR_SUCCESS;
}

} // namespace PeVersionResource
