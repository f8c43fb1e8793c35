// Reading and writing the class-specific fields of control records:
// little-endian numbers, checked against the bytes that are there.
#pragma once

#include "platform/WinTypes.h"

#include <bit>
#include <cstdint>
#include <vector>

namespace KIVRecordFields {

// The 32-bit value at offset, or fallback when the fields end before it.
inline LONG Long(const std::vector<BYTE>& fields, std::size_t offset, LONG fallback = 0) {
    if (fields.size() < offset + 4)
        return fallback;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | fields[offset + i];
    return static_cast<LONG>(value);
}

inline float Float(const std::vector<BYTE>& fields, std::size_t offset) {
    return std::bit_cast<float>(static_cast<std::uint32_t>(Long(fields, offset)));
}

inline void AppendLong(std::vector<BYTE>* record, LONG value) {
    for (int shift = 0; shift < 32; shift += 8)
        record->push_back(static_cast<BYTE>(static_cast<std::uint32_t>(value) >> shift));
}

inline void AppendFloat(std::vector<BYTE>* record, float value) {
    AppendLong(record, static_cast<LONG>(std::bit_cast<std::uint32_t>(value)));
}

} // namespace KIVRecordFields
