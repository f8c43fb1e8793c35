// KIVStringFile: the texts of the string file (".ers"). The record of a text
// identifier: 4 bytes not read, a signed 32-bit length in characters, then
// that many UTF-16 characters without a terminator. A text is at most 10000
// characters as read (a longer record is cut) and ends at its first zero.
#pragma once

#include "toolkit/KIVString.h"
#include "toolkit/resources/KIVResourceSource.h"

class KIVStringFile {
public:
    static constexpr LONG kMaxChars = 10000;

    // The text of item id; empty when the item is missing (-1), negative in
    // length, or not wholly inside the file.
    static KIVString ReadText(const KIVResourceSource& file, LONG id);
    // The text lookup of the application: opens the file at path (ANSI code
    // page) anew for this lookup, under a process-wide lock so that any
    // thread may read texts. Empty when the file or the item is missing.
    static KIVString GetText(const char* path, LONG id);
};
