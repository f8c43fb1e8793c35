// Explicit little-endian reads of the fields of binary records, whatever the
// alignment of the bytes. Internal to the platform layer.
#pragma once

#include "platform/WinTypes.h"

namespace LittleEndian {

inline WORD Word(const BYTE* p) {
    return static_cast<WORD>(p[0] | p[1] << 8);
}

inline DWORD Dword(const BYTE* p) {
    return static_cast<DWORD>(p[0]) | static_cast<DWORD>(p[1]) << 8 |
           static_cast<DWORD>(p[2]) << 16 | static_cast<DWORD>(p[3]) << 24;
}

} // namespace LittleEndian
