// Font files written byte by byte from their layout, for the font and the
// text drawing tests.
#pragma once

#include "ResourceBytes.h"

#include <algorithm>
#include <array>
#include <map>

// One glyph: its advance width and its H x advance coverage bytes.
struct TestGlyph {
    std::int32_t advance = 0;
    std::vector<std::uint8_t> coverage;
};

// Appends a block: advances, data size, offsets, data.
inline void AddFontBlock(ResourceBytes* file, int count, int first,
                         const std::map<int, TestGlyph>& glyphs) {
    std::vector<std::uint8_t> data;
    std::vector<std::int32_t> offsets(static_cast<std::size_t>(count), 0);
    for (int i = 0; i < count; ++i) {
        auto found = glyphs.find(first + i);
        file->Long(found == glyphs.end() ? 0 : found->second.advance);
        if (found != glyphs.end()) {
            offsets[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(data.size());
            data.insert(data.end(), found->second.coverage.begin(), found->second.coverage.end());
        }
    }
    file->Long(static_cast<std::int32_t>(data.size()));
    for (std::int32_t offset : offsets)
        file->Long(offset);
    file->bytes.insert(file->bytes.end(), data.begin(), data.end());
}

// A font file (directory of at least 8 entries) with font id of line
// height H; with extension, the
// double-byte blocks follow, holding the glyphs at or above 0x3000.
inline ResourceBytes FontFile(int id, std::int32_t height, const std::map<int, TestGlyph>& glyphs,
                              bool extension = false) {
    ResourceBytes file(extension ? 3 : 0, std::max(id + 1, 8));
    file.StartItem(id);
    file.Long(height);
    AddFontBlock(&file, 256, 0, glyphs);
    file.Byte(extension ? 1 : 0);
    if (extension) {
        AddFontBlock(&file, 0x7000, 0x3000, glyphs);
        AddFontBlock(&file, 0x6F0, 0xF900, glyphs);
    }
    return file;
}
