// The drives of the machine: C:, Z: (the host's "/") and every other letter
// that has a folder "drive_<letter>" in the machine root.
#include "platform/Machine.h"
#include "platform/WinBase.h"

#include <sys/stat.h>

DWORD GetLogicalDrives() {
    const std::string root = Machine::Current().Root();
    DWORD drives = (1u << ('C' - 'A')) | (1u << ('Z' - 'A'));
    for (char letter = 'a'; letter < 'z'; ++letter) {
        const std::string folder = root + "/drive_" + letter;
        struct stat info;
        if (stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            drives |= 1u << (letter - 'a');
    }
    return drives;
}
