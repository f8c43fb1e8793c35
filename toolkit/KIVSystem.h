// The system layer: every platform call of the toolkit and the setup goes
// through these wrappers. Text inside is wide; on the NT family a wrapper
// calls the wide (W) platform function with the caller's text unchanged, on
// the older family (95/98/Me) it converts its text arguments to the ANSI code
// page and calls the narrow (A) function. The family is decided once per
// process from GetVersion (high bit clear: NT) by whichever wrapper runs first.
//
// Buffers on the narrow path: a path is converted into 260 bytes (MAX_PATH);
// a path fetched from a narrow function lands in 260 bytes and is converted
// into the caller's buffer, which holds at most `size` wide characters (callers
// pass 260), cut and terminated when it does not fit. A text argument whose
// conversion does not fit its buffer is never cut: the call fails with
// ERROR_FILENAME_EXCED_RANGE as the narrow function would on the full text,
// so that a shortened path can never name another file.
#pragma once

#include "platform/Windows.h"

#include <cstdio>

class KIVString;

// [SECTION] Platform family
// True when the wide functions are used (NT family).
bool KIVIsWindowsNT();
// For tests that switch machines: forgets the decided family, so that the next
// wrapper asks GetVersion of the current machine again. Not for program code.
void KIVResetPlatformFamily();

// [SECTION] Files and folders
HANDLE KIVCreateFile(const char16_t* fileName, DWORD desiredAccess, DWORD shareMode,
                     LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                     DWORD flagsAndAttributes, HANDLE templateFile);
BOOL KIVCreateDirectory(const char16_t* path);
// Delete, remove and copy report nothing; the caller checks the result itself
// when it matters.
void KIVDeleteFile(const char16_t* fileName);
void KIVRemoveDirectory(const char16_t* path);
void KIVCopyFile(const char16_t* existingFileName, const char16_t* newFileName, BOOL failIfExists);

// [SECTION] Modules, folders of the system, disk space
HMODULE KIVLoadLibrary(const char16_t* fileName);
// These return the platform function's count (on the older family the narrow
// character count) and leave a terminated text in the buffer.
DWORD KIVGetCurrentDirectory(DWORD size, char16_t* buffer);
DWORD KIVGetModuleFileName(HMODULE module, char16_t* buffer, DWORD size);
UINT KIVGetWindowsDirectory(char16_t* buffer, UINT size);
// On success stores 1, 1024, the bytes free to the caller / 1024 and the total
// bytes / 1024 (each at most 0xFFFFFFFF), so that the product of the first
// three is the free space rounded down to a whole KiB. Null outputs are skipped.
BOOL KIVGetDiskFreeSpace(const char16_t* folder, DWORD* sectorsPerCluster, DWORD* bytesPerSector,
                         DWORD* freeClusters, DWORD* totalClusters);

// [SECTION] Standard streams and texts
// Opens a Windows path with the C library's stream open on every family: the
// path is converted to the ANSI code page (260 bytes), the wide mode (20
// bytes). Returns null when the file cannot be opened or a text does not fit.
FILE* KIVFileOpen(const char16_t* path, const char* mode);
FILE* KIVFileOpen(const char16_t* path, const char16_t* mode);
// Replaces every "/" by "\" in place.
void KIVToBackslashes(char16_t* text);
void KIVToBackslashes(KIVString& text);

// [SECTION] Windows and cursors
// SetWindowTextW on the NT family; on the older family the whole text,
// terminator included, is converted into a heap buffer for SetWindowTextA.
BOOL KIVSetWindowText(HWND window, const char16_t* text);
// LoadCursorA for the system cursor identifiers 32512 to 32516, 32640 to
// 32646 and 32648; null for any other identifier.
HCURSOR KIVLoadSystemCursor(HINSTANCE instance, int cursorId);
