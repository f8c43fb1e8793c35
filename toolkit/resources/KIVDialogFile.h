// KIVDialogFile: the layout records of the dialog file (".erd") read into
// plain structs for the dialog base.
//
// Layout record (offsets from the record's start):
//   0   header size H: the bytes of the header after this field
//   4   x, y, width, height of the window      20  left margin (-1: default)
//   24  top margin (-1: default)               28  layout flags
//   32  title length T in characters, then T UTF-16 characters
//   36 + 2T  control count N
//   4 + H    N control records
// Control record: type, size S (the next record starts S bytes after this
// field), then within those S bytes: identifier, left, top, right, bottom,
// state flags, style, font, and two texts, each a 32-bit length in 16-bit
// units and the units (a text ends at its first zero); the bytes left over
// are the class's own fields.
#pragma once

#include "toolkit/resources/KIVResourceSource.h"

#include <string>
#include <vector>

struct KIVControlRecord {
    LONG type = 0;
    LONG id = 0;
    LONG left = 0, top = 0, right = 0, bottom = 0;
    LONG state = 0;
    LONG style = 0;
    LONG font = 0;
    std::u16string text;
    std::u16string tooltip;
    std::vector<BYTE> classFields;
};

struct KIVDialogLayout {
    LONG x = 0, y = 0, width = 0, height = 0;
    LONG leftMargin = -1;
    LONG topMargin = -1;
    LONG flags = 0;
    std::u16string title;
    std::vector<KIVControlRecord> controls;
};

class KIVDialogFile {
public:
    // Fixed fields of a control record after its size field.
    static constexpr std::uint32_t kControlFixedBytes = 32;

    // Reads the layout of item id. False when the item is missing or its
    // header does not lie inside the file (or is shorter than its fields).
    // Control records are read while they lie inside the file; one whose
    // fields do not fit its own size is skipped; reading stops at the first
    // record that passes the end of the file.
    static bool ReadLayout(const KIVResourceSource& file, LONG id, KIVDialogLayout* layout);
    // Reads one control record at offset; *next is where the following
    // record starts. False when the record's type and size do not lie
    // inside the file; *complete tells whether its fields fit its size.
    static bool ReadControl(const KIVResourceSource& file, std::uint64_t offset,
                            KIVControlRecord* record, std::uint64_t* next, bool* complete);
};
