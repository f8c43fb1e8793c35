#include "toolkit/resources/KIVBitmapFile.h"

std::uint32_t KIVBitmapFile::RowBytes(LONG flags, LONG width) {
    const std::uint32_t w = width > 0 ? static_cast<std::uint32_t>(width) : 0;
    return (flags & kEightBitFlag) ? (w + 3) / 4 * 4 : 4 * w;
}

bool KIVBitmapFile::ReadFrame(const KIVResourceSource& file, LONG id, LONG frame,
                              KIVBitmapFrame* out) {
    std::uint64_t offset = 0;
    KIVBitmapFrame read;
    if (frame < 0 || !file.ItemOffset(id, &offset) || !file.ReadLong(offset, &read.value) ||
        !file.ReadLong(offset + 4, &read.flags) || !file.ReadLong(offset + 8, &read.width) ||
        !file.ReadLong(offset + 12, &read.height))
        return false;
    if (read.width < 1 || read.width > kMaxSide || read.height < 1 || read.height > kMaxSide)
        return false;
    const std::uint64_t frameBytes =
        std::uint64_t{RowBytes(read.flags, read.width)} * static_cast<std::uint64_t>(read.height);
    const std::uint64_t start =
        offset + kHeaderSize + frameBytes * static_cast<std::uint64_t>(frame);
    if (!file.Holds(start, frameBytes))
        return false;
    read.pixels.resize(frameBytes);
    if (!file.ReadAt(start, read.pixels.data(), static_cast<std::uint32_t>(frameBytes)))
        return false;
    *out = std::move(read);
    return true;
}
