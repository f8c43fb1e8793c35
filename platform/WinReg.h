// The registry subset of the emulated machine (ADVAPI32). The system registry
// is an SQLite database in the machine root; key and value names compare
// without regard to case and keep the case they were created with.
#pragma once

#include "platform/WinTypes.h"

typedef struct HKEY__* HKEY;
typedef HKEY* PHKEY;
typedef LONG LSTATUS;
typedef DWORD REGSAM;

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000002u)))
#define HKEY_USERS (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000003u)))
#define HKEY_PERFORMANCE_DATA (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000004u)))
#define HKEY_CURRENT_CONFIG (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000005u)))

#define KEY_QUERY_VALUE 0x0001u
#define KEY_SET_VALUE 0x0002u
#define KEY_CREATE_SUB_KEY 0x0004u
#define KEY_ENUMERATE_SUB_KEYS 0x0008u
#define KEY_NOTIFY 0x0010u
#define KEY_READ 0x20019u
#define KEY_WRITE 0x20006u
#define KEY_ALL_ACCESS 0xF003Fu

#define REG_NONE 0u
#define REG_SZ 1u
#define REG_EXPAND_SZ 2u
#define REG_BINARY 3u
#define REG_DWORD 4u
#define REG_MULTI_SZ 7u
#define REG_QWORD 11u

#define REG_OPTION_NON_VOLATILE 0x00000000u

// Results are Win32 error codes: ERROR_SUCCESS, ERROR_FILE_NOT_FOUND (no such
// key or value), ERROR_ACCESS_DENIED (the handle lacks the access bit, a
// non-administrator writes under HKEY_LOCAL_MACHINE, anything is written under
// HKEY_PERFORMANCE_DATA, or a key to delete has sub keys), ERROR_INVALID_HANDLE
// (a closed or unknown handle, or one of a machine no longer current),
// ERROR_KEY_DELETED, ERROR_MORE_DATA, ERROR_NO_MORE_ITEMS, ERROR_BAD_PATHNAME
// (a sub key path that starts with "\"), ERROR_INVALID_PARAMETER (a key name
// over 255 bytes, or a key that would lie more than 512 levels below its
// root, the depth Windows allows), ERROR_CANTOPEN / ERROR_CANTWRITE
// (the machine's registry database cannot be opened or written).
// Text values (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) are kept as the family
// keeps them. On the NT family they are UTF-16LE: the "W" value functions
// set and return them as they are; the "A" functions convert the data from
// and to the machine's ANSI code page, a character it lacks becoming "?", and
// report the size of the converted data. On the older family they are the
// bytes of the ANSI code page, and the "W" functions fail with
// ERROR_CALL_NOT_IMPLEMENTED, as they do there. Key and value names are kept
// in the ANSI code page on both families: a "W" call whose value name the
// code page cannot spell finds no value (ERROR_FILE_NOT_FOUND), or sets none
// (ERROR_NO_UNICODE_TRANSLATION).
// Sub key paths may hold several levels ("Software\\A\\B"), split at the
// backslashes that are characters of the machine's code page: in code page
// 932 the byte 0x5C may also be the second byte of a double-byte character
// (katakana so is 0x83 0x5C), and then it separates nothing.

// Opens or creates every level of lpSubKey under hKey, with full access. An
// empty or null sub key gives hKey itself (a predefined key stays its constant).
LSTATUS RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
// Opens an existing key with the access samDesired; ulOptions is ignored.
LSTATUS RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                      PHKEY phkResult);
// Needs KEY_QUERY_VALUE. The null or empty name is the default value. With a
// null lpData only the type and the size are stored; a buffer too small gets
// nothing: ERROR_MORE_DATA with the size needed in *lpcbData.
LSTATUS RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                         LPBYTE lpData, LPDWORD lpcbData);
LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                         LPBYTE lpData, LPDWORD lpcbData);
// Needs KEY_QUERY_VALUE. Values come in creation order. *lpcchValueName is the
// name buffer's size in characters; on success it receives the name's length
// without the terminator. A name or data buffer too small: ERROR_MORE_DATA,
// with the size needed stored (for the name: its length plus the terminator).
LSTATUS RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                      LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName,
                      LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
// Needs KEY_ENUMERATE_SUB_KEYS. Sub keys come in creation order; keys have no
// class and no time here (empty class, zero time).
LSTATUS RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                      LPSTR lpClass, LPDWORD lpcchClass, FILETIME* lpftLastWriteTime);
// Needs KEY_SET_VALUE. Stores cbData bytes as given with their type (a
// REG_DWORD is its 4 bytes, little-endian; a REG_QWORD its 8). An existing
// value keeps its name and its place in the enumeration.
LSTATUS RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType,
                       const BYTE* lpData, DWORD cbData);
LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType,
                       const BYTE* lpData, DWORD cbData);
// Closing a predefined key does nothing and succeeds.
LSTATUS RegCloseKey(HKEY hKey);
// Needs KEY_SET_VALUE.
LSTATUS RegDeleteValueA(HKEY hKey, LPCSTR lpValueName);
// Deletes a key without sub keys (ERROR_ACCESS_DENIED when it has some, and
// for a predefined key).
LSTATUS RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey);
// Deletes lpSubKey with all its values and sub keys; a null or empty sub key
// empties hKey itself (its values and sub keys) and keeps it.
LSTATUS RegDeleteTreeA(HKEY hKey, LPCSTR lpSubKey);
