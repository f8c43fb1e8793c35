#include "toolkit/resources/KIVResourceSource.h"

bool KIVResourceSource::Holds(std::uint64_t offset, std::uint64_t count) const {
    const std::uint64_t size = Size();
    return offset <= size && count <= size - offset;
}

bool KIVResourceSource::ReadLong(std::uint64_t offset, LONG* value) const {
    BYTE bytes[4];
    if (!ReadAt(offset, bytes, sizeof bytes))
        return false;
    *value =
        static_cast<LONG>(static_cast<DWORD>(bytes[0]) | static_cast<DWORD>(bytes[1]) << 8 |
                          static_cast<DWORD>(bytes[2]) << 16 | static_cast<DWORD>(bytes[3]) << 24);
    return true;
}

bool KIVResourceSource::LanguageId(LONG* id) const {
    return ReadLong(0, id);
}

bool KIVResourceSource::ItemOffset(LONG id, std::uint64_t* offset) const {
    LONG entry = -1;
    const std::uint64_t position = kDirectoryOffset + 4 * static_cast<std::uint64_t>(id);
    // Items follow the directory: an offset that points back at or into the
    // directory up to its own entry is no item's (an identifier past the end
    // of the directory reads item bytes as its entry).
    if (id < 0 || !ReadLong(position, &entry) || entry < 0 ||
        static_cast<std::uint64_t>(entry) < position + 4 ||
        !Holds(static_cast<std::uint64_t>(entry), 1))
        return false;
    *offset = static_cast<std::uint64_t>(entry);
    return true;
}
