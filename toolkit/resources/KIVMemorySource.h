// KIVMemorySource: a resource file held in memory (a mapped view of the font
// file, or bytes given by a test or a fuzzer). The caller keeps the bytes
// alive while the source is used.
#pragma once

#include "toolkit/resources/KIVResourceSource.h"

#include <cstddef>

class KIVMemorySource : public KIVResourceSource {
public:
    KIVMemorySource(const void* data, std::size_t size)
        : data_(static_cast<const BYTE*>(data)), size_(data ? size : 0) {}

    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) const override;
    // The bytes at offset, when count of them lie inside; null otherwise.
    const BYTE* View(std::uint64_t offset, std::uint64_t count) const;

private:
    const BYTE* data_;
    std::size_t size_;
};
