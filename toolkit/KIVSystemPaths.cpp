// The wrappers that return paths or figures, the stream open and the
// separator conversion.
#include "platform/PlatformStdio.h"
#include "toolkit/KIVNarrowText.h"
#include "toolkit/KIVString.h"
#include "toolkit/KIVSystem.h"

#include <climits>

namespace {

// A path fetched by a narrow function lands in 260 bytes; it is converted
// into the caller's buffer, cut and terminated at the caller's size.
struct FetchedPath {
    char text[MAX_PATH] = {};

    void StoreInto(char16_t* buffer, DWORD size) {
        text[MAX_PATH - 1] = '\0';
        if (buffer && size > 0)
            KIVWideFromNarrow(text, buffer, size > INT_MAX ? INT_MAX : static_cast<int>(size));
    }
};

DWORD Kilobytes(ULONGLONG bytes) {
    ULONGLONG kib = bytes >> 10;
    return kib > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<DWORD>(kib);
}

} // namespace

DWORD KIVGetCurrentDirectory(DWORD size, char16_t* buffer) {
    if (KIVIsWindowsNT())
        return GetCurrentDirectoryW(size, buffer);
    FetchedPath fetched;
    DWORD count = GetCurrentDirectoryA(MAX_PATH, fetched.text);
    fetched.StoreInto(buffer, size);
    return count;
}

DWORD KIVGetModuleFileName(HMODULE module, char16_t* buffer, DWORD size) {
    if (KIVIsWindowsNT())
        return GetModuleFileNameW(module, buffer, size);
    FetchedPath fetched;
    DWORD count = GetModuleFileNameA(module, fetched.text, MAX_PATH);
    fetched.StoreInto(buffer, size);
    return count;
}

UINT KIVGetWindowsDirectory(char16_t* buffer, UINT size) {
    if (KIVIsWindowsNT())
        return GetWindowsDirectoryW(buffer, size);
    FetchedPath fetched;
    UINT count = GetWindowsDirectoryA(fetched.text, MAX_PATH);
    fetched.StoreInto(buffer, size);
    return count;
}

BOOL KIVGetDiskFreeSpace(const char16_t* folder, DWORD* sectorsPerCluster, DWORD* bytesPerSector,
                         DWORD* freeClusters, DWORD* totalClusters) {
    ULARGE_INTEGER freeToCaller{}, total{}, totalFree{};
    BOOL ok = FALSE;
    if (KIVIsWindowsNT()) {
        ok = GetDiskFreeSpaceExW(folder, &freeToCaller, &total, &totalFree);
    } else {
        KIVNarrowPath narrow(folder);
        if (narrow.Ok())
            ok = GetDiskFreeSpaceExA(narrow.Get(), &freeToCaller, &total, &totalFree);
    }
    if (!ok)
        return ok;
    if (sectorsPerCluster)
        *sectorsPerCluster = 1;
    if (bytesPerSector)
        *bytesPerSector = 1024;
    if (freeClusters)
        *freeClusters = Kilobytes(freeToCaller.QuadPart);
    if (totalClusters)
        *totalClusters = Kilobytes(total.QuadPart);
    return ok;
}

FILE* KIVFileOpen(const char16_t* path, const char* mode) {
    KIVNarrowPath narrow(path);
    if (!narrow.Ok() || !narrow.Get() || !mode)
        return nullptr;
    return PlatformFopen(narrow.Get(), mode);
}

FILE* KIVFileOpen(const char16_t* path, const char16_t* mode) {
    KIVNarrowArgument<20> narrowMode(mode);
    if (!narrowMode.Ok() || !narrowMode.Get())
        return nullptr;
    return KIVFileOpen(path, narrowMode.Get());
}

void KIVToBackslashes(char16_t* text) {
    if (!text)
        return;
    for (; *text; ++text) {
        if (*text == u'/')
            *text = u'\\';
    }
}

void KIVToBackslashes(KIVString& text) {
    if (text.Find('/') < 0)
        return;
    KIVToBackslashes(text.GetBuffer(text.GetLength()));
    text.ReleaseBuffer();
}
