// File version information of the emulated machine: the version resource
// (VS_VERSIONINFO) of real PE files, 32-bit (PE32) and 64-bit (PE32+), read
// from the host file without loading it. Names, arguments and results follow
// Win32; paths are Windows paths on the emulated machine.
#pragma once

#include "platform/WinError.h"
#include "platform/WinTypes.h"

#define VS_FFI_SIGNATURE 0xFEEF04BDu
#define VS_FFI_STRUCVERSION 0x00010000u
#define VS_FILE_INFO 16 // RT_VERSION, the resource type of the version block
#define VS_VERSION_INFO 1

typedef struct tagVS_FIXEDFILEINFO {
    DWORD dwSignature; // VS_FFI_SIGNATURE
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS; // major << 16 | minor
    DWORD dwFileVersionLS; // build << 16 | revision
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
} VS_FIXEDFILEINFO;
static_assert(sizeof(VS_FIXEDFILEINFO) == 52, "VS_FIXEDFILEINFO is stored as 13 DWORDs");

// GetFileVersionInfoSize: the size of the buffer that GetFileVersionInfo
// needs for the file's version block, or 0 with the last error set:
//   - the file cannot be opened: the error of CreateFile (ERROR_FILE_NOT_FOUND,
//     ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION ...);
//   - not a PE image (no "MZ" or "PE\0\0", an unknown optional-header magic,
//     headers or section table cut short): ERROR_BAD_EXE_FORMAT;
//   - an image without resources, or whose resource tree cannot be read
//     (offsets outside the sections or the file): ERROR_RESOURCE_DATA_NOT_FOUND;
//   - resources without a version resource: ERROR_RESOURCE_TYPE_NOT_FOUND
//     (ERROR_RESOURCE_NAME_NOT_FOUND / ERROR_RESOURCE_LANG_NOT_FOUND when the
//     version type holds no name or no language);
//   - a version block whose length does not fit in the resource: ERROR_INVALID_DATA.
// *lpdwHandle (when given) is set to 0, as on Windows. The version resource
// is the first language of the first name under type 16 (RT_VERSION). Only
// the 32-bit layout of the block (UTF-16 keys, as every PE file has) is read.
DWORD GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle);
DWORD GetFileVersionInfoSizeW(LPCWSTR lptstrFilename, LPDWORD lpdwHandle);

// GetFileVersionInfo: copies the file's version block into lpData, a buffer
// of dwLen bytes; dwHandle is ignored. The buffer receives the block as the
// file stores it (as many bytes as its root says), then, 4-byte aligned, a
// 4-byte mark and a room as large as the block, where VerQueryValueA puts the
// ANSI forms of texts (Windows appends such a room too). dwLen must be at
// least what GetFileVersionInfoSize gave: unlike Windows, which fills a
// smaller buffer with a cut block that later queries would read past, a
// smaller buffer is refused (FALSE, ERROR_INSUFFICIENT_BUFFER) and left as
// it was. Other failures as for GetFileVersionInfoSize.
BOOL GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData);
BOOL GetFileVersionInfoW(LPCWSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData);

// VerQueryValue: finds a value in a buffer filled by GetFileVersionInfo (as
// on Windows, pBlock must be such a buffer) and points *lplpBuffer into it;
// *puLen receives its length.
//   "\" (or ""): the VS_FIXEDFILEINFO, *puLen = 52; fails when the root holds
//     fewer bytes or the signature is not VS_FFI_SIGNATURE.
//   "\VarFileInfo\Translation": the language and code-page pairs (WORD
//     pairs), *puLen in bytes. Any other binary value likewise.
//   "\StringFileInfo\<lang><codepage>\<Name>": the text, *puLen in characters
//     with the terminator. The W form points at the UTF-16 text of the block;
//     the A form converts it to the machine's ANSI code page into the room
//     after the block (so it writes into pBlock, as Windows does) and counts
//     bytes.
// Names compare without regard to case; repeated "\" count as one. Nodes are
// read only within their parents: a child that overruns its parent ends the
// parent's list of children. Failures (FALSE): a null argument
// (ERROR_INVALID_PARAMETER); a root node that cannot be read, or a text
// without its terminator (ERROR_INVALID_DATA); a path not in the block
// (ERROR_RESOURCE_TYPE_NOT_FOUND); a text asked with the A form of a block
// that lacks the mark of its room (ERROR_INSUFFICIENT_BUFFER).
BOOL VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, PUINT puLen);
BOOL VerQueryValueW(LPCVOID pBlock, LPCWSTR lpSubBlock, LPVOID* lplpBuffer, PUINT puLen);
