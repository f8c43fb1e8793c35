// KIVFont: one bitmap font of the font file (".erf"), copied into memory.
//
// Item layout (offsets from the item's start, O = 0):
//   0            line height H (signed 32-bit)
//   4            256 advance widths, one per character code 0..255
//   1028         size D of the glyph data
//   1032         256 glyph offsets, relative to the start of the glyph data
//   2056         D bytes of glyph data
//   2056 + D     one byte: non-zero announces the double-byte extension
// The extension (read only for the Japanese language) follows that byte as
// two blocks laid out alike, first U+3000..U+9FFF (28672 characters), then
// U+F900..U+FFEF (1776 characters):
//   N advance widths, a signed 32-bit size Dx, N glyph offsets relative to
//   the block's glyph data, which starts right after the offsets, Dx bytes.
// The second block starts right after the first block's glyph data.
//
// A glyph is H rows of (advance width) coverage bytes (0..255). A glyph whose
// bytes do not lie inside its block's data is drawn as nothing; an advance
// width outside 0..kMaxAdvance counts as 0.
#pragma once

#include "toolkit/resources/KIVResourceSource.h"

#include <memory>
#include <vector>

class KIVFont {
public:
    static constexpr LONG kMaxLineHeight = 1024;
    static constexpr LONG kMaxAdvance = 1024;
    static constexpr char16_t kFirstWide = 0x3000;
    static constexpr std::uint32_t kWideCount = 0x7000;
    static constexpr char16_t kFirstCompat = 0xF900;
    static constexpr std::uint32_t kCompatCount = 0x6F0;

    // Builds font id from the file; an identifier without an item uses font
    // 0's item. japanese reads the double-byte extension when the item has
    // one. Null when neither item reads whole (a damaged extension is left
    // out rather than failing the font).
    static std::unique_ptr<KIVFont> Load(const KIVResourceSource& file, LONG id, bool japanese);

    LONG Id() const { return id_; }
    int LineHeight() const { return lineHeight_; }
    bool HasExtension() const { return !blocks_[1].advances.empty(); }
    // The advance width of a character: characters above 255 use the
    // extension when the font has it and the character lies in its ranges,
    // and "?" otherwise.
    int Advance(char16_t ch) const;
    // The coverage bytes of a character's glyph, LineHeight() rows of
    // Advance(ch) bytes; null for an empty or damaged glyph.
    const BYTE* Glyph(char16_t ch) const;

private:
    struct Block {
        char16_t first = 0;
        std::vector<LONG> advances;
        std::vector<LONG> offsets;
        std::vector<BYTE> data;
    };

    bool ReadBlock(const KIVResourceSource& file, std::uint64_t* at, char16_t first,
                   std::uint32_t count, Block* block) const;
    // The block and index that draw ch.
    const Block& BlockOf(char16_t ch, std::size_t* index) const;

    LONG id_ = 0;
    int lineHeight_ = 0;
    Block blocks_[3]; // 0..255, then the extension's two ranges
};
