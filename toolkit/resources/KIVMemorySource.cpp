#include "toolkit/resources/KIVMemorySource.h"

#include <cstring>

bool KIVMemorySource::ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) const {
    const BYTE* bytes = View(offset, count);
    if (!bytes)
        return false;
    if (count)
        std::memcpy(buffer, bytes, count);
    return true;
}

const BYTE* KIVMemorySource::View(std::uint64_t offset, std::uint64_t count) const {
    return Holds(offset, count) && data_ ? data_ + offset : nullptr;
}
