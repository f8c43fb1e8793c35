// A growable list of narrow texts kept in fixed-size records, in the order
// they were added, as the application object keeps its installation lists:
// the installed files (520-byte records) and the registry keys (260-byte
// records). A text longer than a record is cut to kSize - 1 bytes.
#pragma once

#include <array>
#include <cstring>
#include <vector>

template <int kSize> class TextRecordList {
public:
    static constexpr int kPathSize = kSize;

    // Appends a text; a longer one is cut to kSize - 1 bytes and terminated.
    void Add(const char* text) {
        std::array<char, kSize>& record = records_.emplace_back();
        const std::size_t length = text ? strnlen(text, kSize - 1) : 0;
        if (length)
            std::memcpy(record.data(), text, length);
        record[length] = '\0';
    }
    int GetSize() const { return static_cast<int>(records_.size()); }
    // The text at index, or null outside 0..GetSize()-1.
    const char* GetAt(int index) const {
        if (index < 0 || index >= GetSize())
            return nullptr;
        return records_[static_cast<std::size_t>(index)].data();
    }
    void RemoveAll() { records_.clear(); }

private:
    std::vector<std::array<char, kSize>> records_;
};
