#include "engine/ZipageMemberHeader.h"

#include <cstring>

bool ZipageMemberHeader::SetLink(std::uint32_t link, std::uint32_t headerOffset,
                                 std::uint32_t volumeSize) {
    if (link > volumeSize || volumeSize - link < 4 || headerOffset < link + 4 ||
        headerOffset > volumeSize || volumeSize - headerOffset < kFixedSize)
        return false;
    link_ = link;
    header_ = headerOffset;
    std::uint32_t left = volumeSize - headerOffset;
    wanted_ = left < kMaxSize ? left : kMaxSize;
    return true;
}

bool ZipageMemberHeader::Parse(const unsigned char* bytes) {
    std::uint32_t length = ZipageLe32(bytes + 8);
    if (length > kMaxNameLength || length > wanted_ - kFixedSize)
        return false;
    first_ = ZipageLe32(bytes);
    second_ = ZipageLe32(bytes + 4);
    nameLength_ = length;
    std::memcpy(name_, bytes + kFixedSize, length);
    name_[length] = 0;
    return true;
}
