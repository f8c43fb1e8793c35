// KIVResourceSource: the bytes of one language resource file, read from the
// file itself or from memory (a mapped view, a test's array, a fuzzer's
// input). Every read names an offset and a count and fails, instead of
// reading outside the file, unless all the bytes lie inside it; the readers
// of the six files go through it, so that a damaged file reads as missing
// items and never as a read outside the file.
//
// Common layout: the language identifier (signed 32-bit) at offset 0, then
// from offset 256 a directory of signed 32-bit item offsets, item k at
// 256 + 4k, -1 for no item k.
#pragma once

#include "platform/WinTypes.h"

#include <cstdint>

class KIVResourceSource {
public:
    static constexpr std::uint32_t kDirectoryOffset = 256;

    virtual ~KIVResourceSource() = default;

    // The file's size in bytes (0 for a file that did not open).
    virtual std::uint64_t Size() const = 0;
    // Reads count bytes at offset; false, with nothing promised about the
    // buffer, unless all of them lie inside the file.
    virtual bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) const = 0;

    // Whether count bytes at offset lie inside the file (no overflow).
    bool Holds(std::uint64_t offset, std::uint64_t count) const;
    // A signed 32-bit little-endian value at offset.
    bool ReadLong(std::uint64_t offset, LONG* value) const;
    // The language identifier at offset 0.
    bool LanguageId(LONG* id) const;
    // The file offset of item id: false for a negative identifier, a
    // directory entry outside the file, the entry -1, an offset that does
    // not lie inside the file, or one that does not lie past its own entry.
    bool ItemOffset(LONG id, std::uint64_t* offset) const;
};
