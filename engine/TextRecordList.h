// A growable list of narrow texts, in the order they were added, as the
// application object keeps its installation lists: the installed files
// (paths of up to 520 bytes) and the registry keys (up to 260). A text longer
// than a record is cut to kSize - 1 bytes.
//
// The texts are packed one after another in blocks of kBlockSize bytes, so a
// list costs what its texts hold plus a pointer each, not a whole record per
// text: an install of 20,000 files keeps about a megabyte instead of ten. A
// text never moves once added, so GetAt's pointer stays good until
// RemoveAll.
#pragma once

#include <cstring>
#include <memory>
#include <vector>

template <int kSize> class TextRecordList {
public:
    static constexpr int kPathSize = kSize;
    static constexpr std::size_t kBlockSize = 64 * 1024;
    static_assert(kSize <= static_cast<int>(kBlockSize));

    // Appends a text; a longer one is cut to kSize - 1 bytes and terminated.
    void Add(const char* text) {
        const std::size_t length = text ? strnlen(text, kSize - 1) : 0;
        char* record = Room(length + 1);
        if (length)
            std::memcpy(record, text, length);
        record[length] = '\0';
        texts_.push_back(record);
        textBytes_ += length;
    }
    // The bytes of all the texts, without their terminators.
    std::size_t TextBytes() const { return textBytes_; }
    int GetSize() const { return static_cast<int>(texts_.size()); }
    // The text at index, or null outside 0..GetSize()-1.
    const char* GetAt(int index) const {
        if (index < 0 || index >= GetSize())
            return nullptr;
        return texts_[static_cast<std::size_t>(index)];
    }
    void RemoveAll() {
        texts_.clear();
        blocks_.clear();
        used_ = 0;
        textBytes_ = 0;
    }

private:
    // size bytes at the end of the last block, or of a new one.
    char* Room(std::size_t size) {
        if (blocks_.empty() || kBlockSize - used_ < size) {
            blocks_.push_back(std::unique_ptr<char[]>(new char[kBlockSize]));
            used_ = 0;
        }
        char* room = blocks_.back().get() + used_;
        used_ += size;
        return room;
    }

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = 0; // bytes taken in the last block
    std::vector<const char*> texts_;
    std::size_t textBytes_ = 0;
};
