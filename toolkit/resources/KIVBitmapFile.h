// KIVBitmapFile: frames of the bitmap file (".erb"). The record of a bitmap
// identifier: four signed 32-bit fields (a value kept with the bitmap,
// flags, width, height), then the pixel rows. Flag bit 4: 8 bits per pixel,
// rows rounded up to a multiple of 4 bytes; otherwise 32 bits per pixel,
// 4 x width bytes a row. Frames of the same size follow one another: frame
// f starts f x height x row bytes after the header.
#pragma once

#include "toolkit/resources/KIVResourceSource.h"

#include <vector>

struct KIVBitmapFrame {
    LONG value = 0;
    LONG flags = 0;
    LONG width = 0;
    LONG height = 0;
    std::vector<BYTE> pixels; // height rows of KIVBitmapFile::RowBytes bytes

    bool IsEightBit() const { return (flags & 4) != 0; }
};

class KIVBitmapFile {
public:
    static constexpr LONG kEightBitFlag = 4;
    // Sides beyond this are damage, not pictures: refused before allocating.
    static constexpr LONG kMaxSide = 16384;
    static constexpr std::uint32_t kHeaderSize = 16;

    // Bytes of one row of a bitmap with these flags and width.
    static std::uint32_t RowBytes(LONG flags, LONG width);
    // Reads the header of item id and the pixels of the given frame; false
    // when the item is missing, a side is not within 1..kMaxSide, the frame
    // is negative or the frame's rows do not lie wholly inside the file.
    static bool ReadFrame(const KIVResourceSource& file, LONG id, LONG frame, KIVBitmapFrame* out);
};
