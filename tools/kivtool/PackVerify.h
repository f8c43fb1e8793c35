// The check of "kivtool pack verify", shared with "kivtool dist build":
// every member of the requested packages read with the setup's rules and
// inflated in memory, and matched against its header's size and CRC-32 in
// volumes our writer made.
#pragma once

#include "tools/kivtool/PackPackages.h"

struct PackVerifyResult {
    std::size_t packages = 0;
    std::size_t members = 0;
    unsigned long long bytes = 0;
    bool marked = false;               // written by our writer
    std::vector<std::string> damaged;  // "package 4, name: problem", one per bad member
};

// False with *error when the volume or its packages cannot be read at all;
// true otherwise, with the damaged members (if any) in result->damaged.
bool VerifyVolume(const PackRequest& request, PackVerifyResult* result, std::string* error);
