// KIVAcceleratorTable: the keyboard accelerators of the accelerator file
// (".era"): at offset 256 a signed 32-bit count, then count records of five
// signed 32-bit fields (key code, modifier bits, command identifier, flag,
// value). Of the modifier bits only Shift (4), Control (8) and Alt (16)
// count. Finding an entry is the table's work; reading the keyboard's state
// is the caller's.
#pragma once

#include "toolkit/resources/KIVResourceSource.h"

#include <vector>

struct KIVAccelerator {
    LONG key = 0;
    LONG modifiers = 0;
    LONG command = 0;
    LONG flag = 0;
    LONG value = 0;
};

class KIVAcceleratorTable {
public:
    static constexpr LONG kShift = 4;
    static constexpr LONG kControl = 8;
    static constexpr LONG kAlt = 16;
    static constexpr std::uint32_t kCountOffset = 256;
    static constexpr std::uint32_t kRecordSize = 20;

    // Replaces the table with the file's records. A negative count, or one
    // whose records do not all lie inside the file, leaves the table empty
    // and returns false.
    bool Load(const KIVResourceSource& file);
    // The first entry for the key whose Shift, Control and Alt bits are
    // exactly the given state; null when there is none.
    const KIVAccelerator* Find(LONG key, bool shift, bool control, bool alt) const;
    // The first entry of a command (its key and value for a menu's text).
    const KIVAccelerator* FindCommand(LONG command) const;

    const std::vector<KIVAccelerator>& Entries() const { return entries_; }

private:
    std::vector<KIVAccelerator> entries_;
};
