// The records of a setup description: install entries, components, setup
// types and shortcuts; the registry key and volume records belong to the
// install engine, which works from them. Texts are narrow ANSI texts of at
// most 259 characters in 260-byte buffers. A record refers to another by
// pointer into the owning SetupDescription's lists; those lists hold their
// records through unique_ptr so the pointers stay valid.
#pragma once

#include "engine/RegistryKeyRecord.h"
#include "engine/VolumeEntry.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int kSetupTextSize = 260; // 259 characters and the terminator

// Platform keywords of an install entry; only PC entries are installed.
enum InstallPlatform : std::int32_t {
    kPlatformMac = 0,   // "platformMac", and any unknown keyword
    kPlatformPC = 1,    // "platformPC"
    kPlatformPCMac = 2, // "platformPCMAC"
};

struct InstallEntry {
    char entryName[kSetupTextSize] = {};
    char destinationFolder[kSetupTextSize] = {}; // relative to the installation or staging folder
    char sourceFolder[kSetupTextSize] = {};      // copied entries: relative to INSTALLSRC
    bool packed = false;                         // a package in an archive volume
    std::int32_t platform = kPlatformMac;
    std::int32_t system = 0; // nonzero: installed into the Windows system folder
    std::int32_t packageOffset = 0;
    std::int32_t volume = 0; // counted from 1
    std::int32_t size = 0;   // bytes
    bool notInstalled = false;
    bool run = false;
    bool listMode = false; // names are the only files to copy (else: files to skip)
    std::vector<std::string> names;

    bool IsForPC() const { return platform == kPlatformPC || platform == kPlatformPCMac; }
};

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

struct ShortcutEntry {
    char shortcutName[kSetupTextSize] = {}; // the link file's name without extension
    char targetFile[kSetupTextSize] = {};   // relative to the install entry's folder
    InstallEntry* entry = nullptr;
};
