#include "platform/PlatformStdio.h"

#include "platform/HostPath.h"

#include <cerrno>
#include <string>
#include <sys/stat.h>

// The path is in the machine's ANSI code page, as fopen takes it on Windows.
// "t" is dropped (the host has no text mode) and "e" added so that started
// programs do not inherit the stream. A folder is refused, as on Windows.
FILE* PlatformFopen(const char* windowsPath, const char* mode) {
    std::string host;
    if (!mode || !HostPath::FromAnsi(windowsPath, &host)) {
        errno = ENOENT;
        return nullptr;
    }
    std::string hostMode;
    for (const char* c = mode; *c && hostMode.size() < 8; ++c)
        if (*c != 't')
            hostMode += *c;
    hostMode += 'e';
    FILE* file = std::fopen(host.c_str(), hostMode.c_str());
    struct stat info;
    if (file && fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(file);
        errno = EACCES;
        return nullptr;
    }
    return file;
}
