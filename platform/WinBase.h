// The kernel subset of the emulated Windows machine: files, folders, folder
// listings, disk space, module paths, processes, the process token, ending
// the session, synchronisation, global memory, code pages and system
// information. Names, arguments, results and error codes follow Win32;
// paths are Windows paths on the emulated machine (see Machine.h and
// PathMap.h), mapped to host paths inside the layer.
#pragma once

#include "platform/WinError.h"
#include "platform/WinTypes.h"

// [SECTION] Files
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define FILE_SHARE_DELETE 0x00000004u
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_HIDDEN 0x00000002u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define FILE_ATTRIBUTE_REPARSE_POINT 0x00000400u
#define FILE_FLAG_RANDOM_ACCESS 0x10000000u
#define FILE_FLAG_BACKUP_SEMANTICS 0x02000000u
#define FILE_NAME_NORMALIZED 0x0u
#define FILE_NAME_OPENED 0x8u
#define VOLUME_NAME_DOS 0x0u
#define VOLUME_NAME_GUID 0x1u
#define VOLUME_NAME_NT 0x2u
#define VOLUME_NAME_NONE 0x4u
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_SET_FILE_POINTER (static_cast<DWORD>(-1))
#define INVALID_FILE_SIZE (static_cast<DWORD>(0xFFFFFFFF))
#define INVALID_FILE_ATTRIBUTES (static_cast<DWORD>(-1))
#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_COPY_ALLOWED 0x00000002u
#define MOVEFILE_DELAY_UNTIL_REBOOT 0x00000004u

typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED;

// The share mode of an open holds against the opens of every process of the
// machine: an open that wants access another open does not share, or denies
// sharing another open uses, fails with ERROR_SHARING_VIOLATION. An existing
// file is emptied (CREATE_ALWAYS, TRUNCATE_EXISTING) only once that check
// has passed. Devices and pipes of Z: hold no share mode.
// A folder opens only with FILE_FLAG_BACKUP_SEMANTICS, for OPEN_EXISTING or
// OPEN_ALWAYS; its handle names the folder (GetFinalPathNameByHandle) and
// cannot be read or written. Unlike Windows, a folder is not opened for
// GENERIC_WRITE (ERROR_ACCESS_DENIED) and holds no share mode.
HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);
BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped);
DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                     DWORD dwMoveMethod);
DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh);
BOOL CloseHandle(HANDLE hObject);
DWORD GetFileAttributesW(LPCWSTR lpFileName);
DWORD GetFileAttributesA(LPCSTR lpFileName);

// The final path of an open file or folder: where it is with every link on
// its way resolved and its names as they are on the disk, in lpszFilePath of
// cchFilePath characters with its terminator. VOLUME_NAME_DOS gives the
// "\\?\C:\folder\file" form, VOLUME_NAME_NONE the path without its drive
// ("\folder\file"); FILE_NAME_OPENED gives the same as FILE_NAME_NORMALIZED.
// Returns the length without the terminator; when the buffer is too small,
// the size it needs with the terminator, and nothing is written; 0 on
// failure (ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER for a flag the
// emulation lacks: VOLUME_NAME_GUID and VOLUME_NAME_NT, as there are no
// volumes). The "A" form returns the same, counted in bytes of the ANSI code
// page.
DWORD GetFinalPathNameByHandleW(HANDLE hFile, LPWSTR lpszFilePath, DWORD cchFilePath,
                                DWORD dwFlags);
DWORD GetFinalPathNameByHandleA(HANDLE hFile, LPSTR lpszFilePath, DWORD cchFilePath, DWORD dwFlags);

BOOL CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
BOOL RemoveDirectoryW(LPCWSTR lpPathName);
BOOL RemoveDirectoryA(LPCSTR lpPathName);
BOOL DeleteFileW(LPCWSTR lpFileName);
BOOL DeleteFileA(LPCSTR lpFileName);
BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists);
BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists);
// Sharing: a copy holds its source for reading and needs every open of the
// target to share writing; a move needs every open of the source and the
// target to share deletion. A running program's file (see CreateProcessA)
// can be renamed but not replaced or deleted: ERROR_ACCESS_DENIED, as on
// Windows; writing it is a sharing violation.
//
// MOVEFILE_DELAY_UNTIL_REBOOT moves nothing now: it appends the pair to the
// REG_MULTI_SZ value PendingFileRenameOperations of HKEY_LOCAL_MACHINE
// "SYSTEM\CurrentControlSet\Control\Session Manager", as Windows does:
// "\??\" and the full path of each, the target marked with "!" when
// MOVEFILE_REPLACE_EXISTING is given, an empty target (lpNewFileName null) to
// delete. Only an administrator may (the registry refuses the write with
// ERROR_ACCESS_DENIED otherwise); MOVEFILE_COPY_ALLOWED cannot be combined
// with it (ERROR_INVALID_PARAMETER); a "W" path the ANSI code page cannot
// hold gives ERROR_NO_UNICODE_TRANSLATION. The next restart carries it out.
BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);
BOOL MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags);

// OpenFile: OF_EXIST tests that the file can be opened for reading (opens and
// closes it); OF_READ opens it and returns a handle that also serves as a HANDLE.
// Other styles fail with ERROR_NOT_SUPPORTED.
#define OFS_MAXPATHNAME 128
#define OF_READ 0x00000000u
#define OF_EXIST 0x00004000u
#define HFILE_ERROR (-1)
typedef int HFILE;
typedef struct _OFSTRUCT {
    BYTE cBytes;
    BYTE fFixedDisk;
    WORD nErrCode;
    WORD Reserved1;
    WORD Reserved2;
    CHAR szPathName[OFS_MAXPATHNAME];
} OFSTRUCT, *LPOFSTRUCT;
HFILE OpenFile(LPCSTR lpFileName, LPOFSTRUCT lpReOpenBuff, UINT uStyle);

// [SECTION] File mappings (read-only views, as the toolkit maps its font file)
#define PAGE_READONLY 0x02u
#define FILE_MAP_READ 0x0004u

// Only read-only mappings of a file opened for reading are supported; the
// name is accepted and ignored (mappings are not shared between processes).
// An empty file cannot be mapped (ERROR_FILE_INVALID), as on Windows.
HANDLE CreateFileMappingA(HANDLE hFile, LPSECURITY_ATTRIBUTES lpFileMappingAttributes,
                          DWORD flProtect, DWORD dwMaximumSizeHigh, DWORD dwMaximumSizeLow,
                          LPCSTR lpName);
// The offset must be a multiple of the allocation granularity (65536); a
// size of 0 maps to the end of the mapping.
LPVOID MapViewOfFile(HANDLE hFileMappingObject, DWORD dwDesiredAccess, DWORD dwFileOffsetHigh,
                     DWORD dwFileOffsetLow, SIZE_T dwNumberOfBytesToMap);
BOOL UnmapViewOfFile(LPCVOID lpBaseAddress);

// [SECTION] Folder listings
typedef struct _WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    WCHAR cFileName[MAX_PATH];
    WCHAR cAlternateFileName[14];
} WIN32_FIND_DATAW, *LPWIN32_FIND_DATAW;

typedef struct _WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
} WIN32_FIND_DATAA, *LPWIN32_FIND_DATAA;

// The pattern's last component may hold the wildcards "*" and "?"; matching
// ignores case. Listings include "." and ".." for a folder, as on Windows.
HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData);
HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData);
BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData);
BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData);
BOOL FindClose(HANDLE hFindFile);

// [SECTION] Volumes and well-known folders
// Free space is that of the host volume that holds the mapped folder. A
// machine setting may state less for a drive (MachineSettings::freeSpace):
// the free and available bytes are then the smaller of the two.
// The drives of the machine as bits (bit 0 A:, bit 2 C:, bit 25 Z:): C:, Z:
// and every other letter whose folder "<root>/drive_<letter>" exists.
DWORD GetLogicalDrives();
BOOL GetDiskFreeSpaceExW(LPCWSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                         PULARGE_INTEGER lpTotalNumberOfBytes,
                         PULARGE_INTEGER lpTotalNumberOfFreeBytes);
BOOL GetDiskFreeSpaceExA(LPCSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                         PULARGE_INTEGER lpTotalNumberOfBytes,
                         PULARGE_INTEGER lpTotalNumberOfFreeBytes);
// hModule null: the running program's host path in its Windows form.
DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);
DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
UINT GetWindowsDirectoryW(LPWSTR lpBuffer, UINT uSize);
UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize);
UINT GetSystemDirectoryW(LPWSTR lpBuffer, UINT uSize);
UINT GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize);
// The per-user temporary folder of the machine, ending with a backslash.
DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer);
DWORD GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer);
DWORD GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer);
DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer);
BOOL SetCurrentDirectoryW(LPCWSTR lpPathName);
BOOL SetCurrentDirectoryA(LPCSTR lpPathName);

// [SECTION] Modules
HMODULE LoadLibraryW(LPCWSTR lpLibFileName);
HMODULE LoadLibraryA(LPCSTR lpLibFileName);
BOOL FreeLibrary(HMODULE hLibModule);

// [SECTION] Processes
#define STILL_ACTIVE 259
#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu

typedef struct _STARTUPINFOA {
    DWORD cb;
    LPSTR lpReserved;
    LPSTR lpDesktop;
    LPSTR lpTitle;
    DWORD dwX, dwY, dwXSize, dwYSize, dwXCountChars, dwYCountChars, dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput, hStdOutput, hStdError;
} STARTUPINFOA, *LPSTARTUPINFOA;

typedef struct _PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
} PROCESS_INFORMATION, *LPPROCESS_INFORMATION;

// Starts a host process: the first word of the command line (quoted or not)
// is a program path on the machine, mapped to the host; the rest are its
// arguments, split as the Windows C runtime splits them. The program file is
// in use while it runs (the child holds it); a program that another open
// holds for writing does not start: ERROR_SHARING_VIOLATION.
BOOL CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine,
                    LPSECURITY_ATTRIBUTES lpProcessAttributes,
                    LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles,
                    DWORD dwCreationFlags, LPVOID lpEnvironment, LPCSTR lpCurrentDirectory,
                    LPSTARTUPINFOA lpStartupInfo, LPPROCESS_INFORMATION lpProcessInformation);
BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);
// The pseudo handle (-1) that stands for the calling process.
HANDLE GetCurrentProcess();
// Ends the calling process at once with that exit code, every thread with
// it; buffered standard output is written first. Destructors do not run.
[[noreturn]] void ExitProcess(UINT uExitCode);
// The host's identifier of the calling thread, unique while it runs.
DWORD GetCurrentThreadId();

// [SECTION] Access token and privileges
#define TOKEN_QUERY 0x0008u
#define TOKEN_ADJUST_PRIVILEGES 0x0020u
#define SE_PRIVILEGE_ENABLED 0x00000002u
#define SE_SHUTDOWN_NAME "SeShutdownPrivilege"

typedef HANDLE* PHANDLE;
typedef struct _LUID {
    DWORD LowPart;
    LONG HighPart;
} LUID, *PLUID;
typedef struct _LUID_AND_ATTRIBUTES {
    LUID Luid;
    DWORD Attributes;
} LUID_AND_ATTRIBUTES, *PLUID_AND_ATTRIBUTES;
typedef struct _TOKEN_PRIVILEGES {
    DWORD PrivilegeCount;
    LUID_AND_ATTRIBUTES Privileges[1]; // PrivilegeCount entries
} TOKEN_PRIVILEGES, *PTOKEN_PRIVILEGES;

// The token of the calling process (GetCurrentProcess() only; a started
// child's handle gives ERROR_ACCESS_DENIED). Its one privilege is
// SeShutdownPrivilege, held by every user and disabled at first; its state
// belongs to the process, shared by all handles of the token.
BOOL OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle);
// lpSystemName null or empty (this machine); an unknown name gives
// ERROR_NO_SUCH_PRIVILEGE.
BOOL LookupPrivilegeValueA(LPCSTR lpSystemName, LPCSTR lpName, PLUID lpLuid);
// Needs TOKEN_ADJUST_PRIVILEGES. Enables (SE_PRIVILEGE_ENABLED) or disables
// each privilege of NewState; PreviousState, when given, receives the former
// state of those that changed. Succeeds with the last error
// ERROR_NOT_ALL_ASSIGNED when NewState names a privilege the token lacks.
BOOL AdjustTokenPrivileges(HANDLE TokenHandle, BOOL DisableAllPrivileges,
                           PTOKEN_PRIVILEGES NewState, DWORD BufferLength,
                           PTOKEN_PRIVILEGES PreviousState, LPDWORD ReturnLength);

// [SECTION] Ending the session
#define EWX_LOGOFF 0x00000000u
#define EWX_SHUTDOWN 0x00000001u
#define EWX_REBOOT 0x00000002u
#define EWX_FORCE 0x00000004u
#define EWX_POWEROFF 0x00000008u

// A restart, shutdown or power-off needs SeShutdownPrivilege enabled
// (otherwise ERROR_PRIVILEGE_NOT_HELD) and carries out at once what the next
// start of Windows would: the replacements left in WININIT.INI and in
// PendingFileRenameOperations (see MachineRestart.h). Nothing really stops:
// the function returns TRUE and the caller goes on, as a Windows program
// does until the system ends it; running programs keep running. A log-off
// does nothing.
BOOL ExitWindowsEx(UINT uFlags, DWORD dwReason);

// [SECTION] Synchronisation
typedef struct _RTL_CRITICAL_SECTION {
    void* Impl; // recursive mutex, made by InitializeCriticalSection
} CRITICAL_SECTION, *LPCRITICAL_SECTION;

void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
void DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection);

inline LONG InterlockedIncrement(LONG volatile* addend) {
    return __atomic_add_fetch(addend, 1, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedDecrement(LONG volatile* addend) {
    return __atomic_sub_fetch(addend, 1, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedExchange(LONG volatile* target, LONG value) {
    return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}

// Makes or opens a mutex. A named one ("Global\\Name"; the prefixes of
// Windows' namespaces are part of the name here) is shared by every process
// of the machine: it is held as a lock on a file in the machine root, which
// the host lets go when the owning process ends. With bInitialOwner the
// calling thread takes it when it is free. The last error is
// ERROR_ALREADY_EXISTS when this process had the mutex open already (unlike
// Windows, an open by another process alone is not seen). Null when its file
// cannot be made.
HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES lpMutexAttributes, BOOL bInitialOwner, LPCWSTR lpName);
HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES lpMutexAttributes, BOOL bInitialOwner, LPCSTR lpName);
// Gives up one ownership of the calling thread: FALSE with ERROR_NOT_OWNER
// when it owns none. A mutex is let go as well when its last handle closes
// (Windows keeps it until the owning thread ends, then calls it abandoned).
BOOL ReleaseMutex(HANDLE hMutex);
// Waits until a process has ended or a mutex is taken by the calling thread,
// at most dwMilliseconds (INFINITE: without end): WAIT_OBJECT_0, WAIT_TIMEOUT,
// or WAIT_FAILED for a handle that cannot be waited for.
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);

void Sleep(DWORD dwMilliseconds);
DWORD GetTickCount();

// [SECTION] Global memory (movable blocks for clipboard-style data)
#define GMEM_FIXED 0x0000u
#define GMEM_MOVEABLE 0x0002u
#define GMEM_ZEROINIT 0x0040u
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
LPVOID GlobalLock(HGLOBAL hMem);
BOOL GlobalUnlock(HGLOBAL hMem);
SIZE_T GlobalSize(HGLOBAL hMem);
HGLOBAL GlobalFree(HGLOBAL hMem);

// [SECTION] Errors
DWORD GetLastError();
void SetLastError(DWORD dwErrCode);

// [SECTION] System information (from the machine settings)
// NT family: high bit clear (5.1, build 2600); older family: high bit set (4.10).
DWORD GetVersion();
LANGID GetUserDefaultLangID();
#define PRIMARYLANGID(lgid) (static_cast<WORD>(lgid) & 0x3ff)
#define SUBLANGID(lgid) (static_cast<WORD>(lgid) >> 10)
#define MAKELANGID(p, s) (static_cast<WORD>((static_cast<WORD>(s) << 10) | static_cast<WORD>(p)))

// [SECTION] Code pages
#define CP_ACP 0
#define CP_UTF8 65001
#define MB_PRECOMPOSED 0x00000001u
#define MB_ERR_INVALID_CHARS 0x00000008u

// CP_ACP is the machine's ANSI code page (1252 or 932), converted through
// iconv. Characters that cannot be mapped become replacement characters
// ("?" narrow, U+FFFD wide), never undefined bytes. cbMultiByte or
// cchWideChar -1 converts up to and including the terminator. A zero output
// size returns the size needed.
UINT GetACP();
// Whether TestChar is the lead byte of a double-byte character in CodePage
// (CP_ACP: the machine's ANSI code page). Code page 932 has the lead bytes
// 0x81 to 0x9F and 0xE0 to 0xFC; single-byte code pages have none. A trail
// byte may take any value from 0x40 up, the backslash 0x5C included, so text
// of such a code page is walked a character at a time, never byte by byte.
BOOL IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar);
// IsDBCSLeadByteEx in the machine's ANSI code page.
BOOL IsDBCSLeadByte(BYTE TestChar);
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        BOOL* lpUsedDefaultChar);
