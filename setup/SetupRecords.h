// The records of a setup description: components and setup types;
// the install entry, registry key, shortcut and volume records belong to the
// install engine, which works from them. Texts are narrow ANSI texts of at
// most 259 characters in 260-byte buffers. A record refers to another by
// pointer into the owning SetupDescription's lists; those lists hold their
// records through unique_ptr so the pointers stay valid.
#pragma once

#include "engine/InstallEntry.h"
#include "engine/RegistryKeyRecord.h"
#include "engine/ShortcutEntry.h"
#include "engine/VolumeEntry.h"

#include <cstdint>
#include <vector>

constexpr int kSetupTextSize = 260; // 259 characters and the terminator

struct Component {
    char name[kSetupTextSize] = {}; // "BillBo..." marks a setup image component
    std::int32_t languages = 0;     // bit set of language codes
    char registryFileName[kSetupTextSize] = {};
    bool enabled = true;
    std::vector<InstallEntry*> entries;
    // Run-time fields, changed by the custom setup page.
    bool selected = true;
    std::int32_t size = 0;
    std::int32_t lineIndex = 0;
};

struct SetupType {
    char name[kSetupTextSize] = {}; // "Typical", "Compact" and "Custom" are looked up
    std::vector<Component*> components;
};
