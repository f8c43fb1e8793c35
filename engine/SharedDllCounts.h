// The use counts of shared libraries that the machine keeps in
// HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\SharedDLLs:
// one REG_DWORD value per library, named by its full path.
#pragma once

#include "platform/WinReg.h"

class SharedDllCounts {
public:
    // Opens the key with read, create-sub-key and set-value access; a key
    // that cannot be opened (no such key, a user who may not write there)
    // leaves the counts alone.
    SharedDllCounts();
    ~SharedDllCounts();
    SharedDllCounts(const SharedDllCounts&) = delete;
    SharedDllCounts& operator=(const SharedDllCounts&) = delete;

    bool IsOpen() const { return key_ != nullptr; }
    // Raises the library's count by one when it is already counted (a
    // REG_DWORD above 0); a missing value or a count of 0 or less is left as
    // it is, and no value is made. False only when the raised count cannot
    // be written; true when the key is not open.
    bool Raise(const char* libraryPath);
    // For a library placed where none was: raises its count when it is
    // counted, else sets it to 1, so that its last uninstallation removes
    // it (the convention other installers follow). False only when the
    // count cannot be written; true when the key is not open.
    bool CountNewFile(const char* libraryPath);
    // The library's count when it is a REG_DWORD above 0, else 0.
    DWORD Count(const char* libraryPath) const;

private:
    bool Set(const char* libraryPath, DWORD count);

    HKEY key_ = nullptr;
};
