// Install entries of a test's setup description: a packed package of the
// main archive at an offset, unpacked into a folder.
#pragma once

#include "setup/SetupDriver.h"

#include <cstring>
#include <memory>

inline InstallEntry* AddPackedEntry(SetupDriver& driver, const char* folder, std::int32_t offset) {
    auto entry = std::make_unique<InstallEntry>();
    std::strcpy(entry->destinationFolder, folder);
    entry->packed = true;
    entry->platform = kPlatformPC;
    entry->packageOffset = offset;
    entry->volume = 1;
    driver.state.description.installEntries.push_back(std::move(entry));
    return driver.state.description.installEntries.back().get();
}
