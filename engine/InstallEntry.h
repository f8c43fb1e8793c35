// One install entry of a setup description: a package in an archive volume or
// a plain source folder, with where it goes and how its files are chosen.
// Texts are narrow ANSI texts of at most 259 characters in 260-byte buffers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Platform keywords of an install entry; only PC entries are installed.
enum InstallPlatform : std::int32_t {
    kPlatformMac = 0,   // "platformMac", and any unknown keyword
    kPlatformPC = 1,    // "platformPC"
    kPlatformPCMac = 2, // "platformPCMAC"
};

struct InstallEntry {
    char entryName[260] = {};
    char destinationFolder[260] = {}; // relative to the installation or staging folder
    char sourceFolder[260] = {};      // copied entries: relative to INSTALLSRC
    bool packed = false;              // a package in an archive volume
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
