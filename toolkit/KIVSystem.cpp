// The platform family decision and the file and folder wrappers.
#include "toolkit/KIVSystem.h"

#include "toolkit/KIVNarrowText.h"

#include <atomic>

namespace {

// Two process-wide bytes: whether the family is decided, and whether the wide
// functions are used. Any thread may decide; all compute the same value.
std::atomic<bool> g_familyDecided{false};
std::atomic<bool> g_useWide{false};

} // namespace

bool KIVIsWindowsNT() {
    if (!g_familyDecided.load()) {
        g_useWide.store(GetVersion() < 0x80000000u);
        g_familyDecided.store(true);
    }
    return g_useWide.load();
}

void KIVResetPlatformFamily() {
    g_familyDecided.store(false);
}

HANDLE KIVCreateFile(const char16_t* fileName, DWORD desiredAccess, DWORD shareMode,
                     LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                     DWORD flagsAndAttributes, HANDLE templateFile) {
    if (KIVIsWindowsNT())
        return CreateFileW(fileName, desiredAccess, shareMode, securityAttributes,
                           creationDisposition, flagsAndAttributes, templateFile);
    KIVNarrowPath narrow(fileName);
    if (!narrow.Ok())
        return INVALID_HANDLE_VALUE;
    return CreateFileA(narrow.Get(), desiredAccess, shareMode, securityAttributes,
                       creationDisposition, flagsAndAttributes, templateFile);
}

BOOL KIVCreateDirectory(const char16_t* path) {
    if (KIVIsWindowsNT())
        return CreateDirectoryW(path, nullptr);
    KIVNarrowPath narrow(path);
    return narrow.Ok() ? CreateDirectoryA(narrow.Get(), nullptr) : FALSE;
}

void KIVDeleteFile(const char16_t* fileName) {
    if (KIVIsWindowsNT()) {
        DeleteFileW(fileName);
        return;
    }
    KIVNarrowPath narrow(fileName);
    if (narrow.Ok())
        DeleteFileA(narrow.Get());
}

void KIVRemoveDirectory(const char16_t* path) {
    if (KIVIsWindowsNT()) {
        RemoveDirectoryW(path);
        return;
    }
    KIVNarrowPath narrow(path);
    if (narrow.Ok())
        RemoveDirectoryA(narrow.Get());
}

void KIVCopyFile(const char16_t* existingFileName, const char16_t* newFileName, BOOL failIfExists) {
    if (KIVIsWindowsNT()) {
        CopyFileW(existingFileName, newFileName, failIfExists);
        return;
    }
    KIVNarrowPath existing(existingFileName);
    KIVNarrowPath target(newFileName);
    if (existing.Ok() && target.Ok())
        CopyFileA(existing.Get(), target.Get(), failIfExists);
}

HMODULE KIVLoadLibrary(const char16_t* fileName) {
    if (KIVIsWindowsNT())
        return LoadLibraryW(fileName);
    KIVNarrowPath narrow(fileName);
    return narrow.Ok() ? LoadLibraryA(narrow.Get()) : nullptr;
}
