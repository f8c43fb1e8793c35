#include "toolkit/resources/KIVFont.h"

namespace {

bool ReadLongs(const KIVResourceSource& file, std::uint64_t at, std::uint32_t count,
               std::vector<LONG>* values) {
    if (!file.Holds(at, std::uint64_t{count} * 4))
        return false;
    std::vector<BYTE> bytes(std::size_t{count} * 4);
    if (!file.ReadAt(at, bytes.data(), static_cast<std::uint32_t>(bytes.size())))
        return false;
    values->resize(count);
    for (std::size_t i = 0; i < count; ++i)
        (*values)[i] = static_cast<LONG>(static_cast<DWORD>(bytes[4 * i]) |
                                         static_cast<DWORD>(bytes[4 * i + 1]) << 8 |
                                         static_cast<DWORD>(bytes[4 * i + 2]) << 16 |
                                         static_cast<DWORD>(bytes[4 * i + 3]) << 24);
    return true;
}

} // namespace

std::unique_ptr<KIVFont> KIVFont::Load(const KIVResourceSource& file, LONG id, bool japanese) {
    std::uint64_t at = 0;
    if (!file.ItemOffset(id, &at) && !file.ItemOffset(0, &at))
        return nullptr;
    auto font = std::unique_ptr<KIVFont>(new KIVFont);
    font->id_ = id;
    LONG height = -1;
    if (!file.ReadLong(at, &height) || height < 0 || height > kMaxLineHeight)
        return nullptr;
    font->lineHeight_ = height;
    at += 4;
    if (!font->ReadBlock(file, &at, 0, 256, &font->blocks_[0]))
        return nullptr;
    BYTE extension = 0;
    if (!japanese || !file.ReadAt(at, &extension, 1) || extension == 0)
        return font;
    ++at;
    if (!font->ReadBlock(file, &at, kFirstWide, kWideCount, &font->blocks_[1]) ||
        !font->ReadBlock(file, &at, kFirstCompat, kCompatCount, &font->blocks_[2])) {
        font->blocks_[1] = Block();
        font->blocks_[2] = Block();
    }
    return font;
}

bool KIVFont::ReadBlock(const KIVResourceSource& file, std::uint64_t* at, char16_t first,
                        std::uint32_t count, Block* block) const {
    Block read;
    read.first = first;
    LONG size = -1;
    const std::uint64_t sizeAt = *at + std::uint64_t{count} * 4;
    const std::uint64_t dataAt = sizeAt + 4 + std::uint64_t{count} * 4;
    if (!ReadLongs(file, *at, count, &read.advances) || !file.ReadLong(sizeAt, &size) || size < 0 ||
        !ReadLongs(file, sizeAt + 4, count, &read.offsets) ||
        !file.Holds(dataAt, static_cast<std::uint64_t>(size)))
        return false;
    read.data.resize(static_cast<std::size_t>(size));
    if (!file.ReadAt(dataAt, read.data.data(), static_cast<std::uint32_t>(size)))
        return false;
    for (LONG& advance : read.advances)
        if (advance < 0 || advance > kMaxAdvance)
            advance = 0;
    *at = dataAt + static_cast<std::uint64_t>(size);
    *block = std::move(read);
    return true;
}

const KIVFont::Block& KIVFont::BlockOf(char16_t ch, std::size_t* index) const {
    if (ch < 256) {
        *index = ch;
        return blocks_[0];
    }
    if (HasExtension() && ch >= kFirstWide && ch < kFirstWide + kWideCount) {
        *index = ch - kFirstWide;
        return blocks_[1];
    }
    if (HasExtension() && ch >= kFirstCompat && ch < kFirstCompat + kCompatCount) {
        *index = ch - kFirstCompat;
        return blocks_[2];
    }
    *index = u'?';
    return blocks_[0];
}

int KIVFont::Advance(char16_t ch) const {
    std::size_t index = 0;
    const Block& block = BlockOf(ch, &index);
    return block.advances[index];
}

const BYTE* KIVFont::Glyph(char16_t ch) const {
    std::size_t index = 0;
    const Block& block = BlockOf(ch, &index);
    const std::uint64_t bytes = std::uint64_t{static_cast<std::uint32_t>(lineHeight_)} *
                                static_cast<std::uint32_t>(block.advances[index]);
    const LONG offset = block.offsets[index];
    if (bytes == 0 || offset < 0 || static_cast<std::uint64_t>(offset) > block.data.size() ||
        bytes > block.data.size() - static_cast<std::uint64_t>(offset))
        return nullptr;
    return block.data.data() + offset;
}
