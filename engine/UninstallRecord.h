// What ".uninstallinfos.log" lists, as read back by the uninstaller: the
// installed files, the installed folders (repeats kept, as written) and the
// registry key paths, each as its ANSI line, and the application name.
#pragma once

#include <string>
#include <vector>

struct UninstallRecord {
    std::vector<std::string> files;
    std::vector<std::string> folders;
    std::vector<std::string> registryKeys;
    std::string applicationName;
};
