// The registry keys of a setup description: a key path with its flags and the
// values to write under it, in order. Texts are narrow ANSI texts of at most
// 259 characters in 260-byte buffers, as the description gives them, before
// setup variables are substituted.
#pragma once

#include <cstdint>
#include <vector>

struct RegistryValueRecord {
    char name[260] = {};   // "<DEFAULT>" is the key's default value
    std::int32_t type = 0; // 1 (REG_SZ): text, anything else: number
    char text[260] = {};
    std::int32_t number = 0;
};

struct RegistryKeyRecord {
    char keyPath[260] = {};     // root name, "\", sub-key path; may hold variables
    bool winreg = false;        // always written to the system registry
    bool dontUninstall = false; // not recorded for the uninstall record
    std::vector<RegistryValueRecord> values;
};
