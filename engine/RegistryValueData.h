// The bytes that one value of a registry key record is written as.
//
// A text value (type 1, REG_SZ) is its text with setup variables substituted,
// with its NUL. A number is written as its decimal text with its NUL, except
// in the system registry for the two number types the registry has: a
// REG_DWORD is the number's 4 bytes and a REG_QWORD its 8 bytes (the number
// sign-extended), little-endian. The registry file keeps only text, so there
// every number is its decimal text.
#pragma once

#include "engine/ExpandSetupText.h"
#include "engine/RegistryKeyRecord.h"
#include "platform/WinTypes.h"

struct RegistryValueData {
    // Room for a substituted text longer than the 259 characters a value
    // may hold, so that one that does not fit is told from one that does.
    static constexpr int kSize = 520;
    static constexpr int kMaxTextLength = 259;

    BYTE bytes[kSize] = {};
    DWORD size = 0; // bytes to write, the text's NUL included
};

// Fills data for value. False when a substituted text is longer than 259
// characters: written cut it would silently lose its end.
bool FormRegistryValueData(const RegistryValueRecord& value, const ExpandSetupText& expand,
                           bool toRegistryFile, RegistryValueData* data);
