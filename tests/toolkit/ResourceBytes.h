// Language resource files written byte by byte from their layout, for the
// reader tests: a 256-byte header with the language identifier, a directory
// at 256, then records appended by the test.
#pragma once

#include "toolkit/resources/KIVMemorySource.h"

#include <cstdint>
#include <string>
#include <vector>

class ResourceBytes {
public:
    // A file of the given language with room for entries directory entries,
    // all -1.
    ResourceBytes(std::int32_t language, int entries) : bytes(256, 0) {
        Put(0, language);
        for (int i = 0; i < entries; ++i)
            Long(-1);
    }

    std::size_t Size() const { return bytes.size(); }
    void Long(std::int32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
    }
    void Put(std::size_t at, std::int32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    }
    void Units(const std::u16string& text) {
        for (char16_t ch : text) {
            bytes.push_back(static_cast<std::uint8_t>(ch));
            bytes.push_back(static_cast<std::uint8_t>(ch >> 8));
        }
    }
    void Byte(std::uint8_t value) { bytes.push_back(value); }
    // Points directory entry id at the end of the file, where the item's
    // record is appended next.
    void StartItem(int id) {
        Put(256 + 4 * static_cast<std::size_t>(id), static_cast<std::int32_t>(bytes.size()));
    }

    KIVMemorySource Source() const { return KIVMemorySource(bytes.data(), bytes.size()); }

    std::vector<std::uint8_t> bytes;
};
