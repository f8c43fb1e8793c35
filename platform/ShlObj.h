// The shell subset of the emulated machine: the shell allocator, item
// identifiers of the special folders, the desktop folder's display names, and
// the shell link object with its IPersistFile, which saves real .LNK files
// (ShellLinkFile.h). Only what the setup calls is there.
#pragma once

#include "platform/ObjBase.h"

extern const CLSID CLSID_ShellLink; // {00021401-0000-0000-C000-000000000046}
extern const IID IID_IShellLinkA;   // {000214EE-0000-0000-C000-000000000046}
extern const IID IID_IPersistFile;  // {0000010B-0000-0000-C000-000000000046}
extern const IID IID_IMalloc;       // {00000002-0000-0000-C000-000000000046}
extern const IID IID_IShellFolder;  // {000214E6-0000-0000-C000-000000000046}

// [SECTION] Item identifiers
typedef struct _SHITEMID {
    WORD cb; // size of the item including cb; 0 ends the list
    BYTE abID[1];
} SHITEMID;
typedef struct _ITEMIDLIST {
    SHITEMID mkid;
} ITEMIDLIST, *LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;

// [SECTION] The shell allocator
struct IMalloc : IUnknown {
    virtual void* Alloc(SIZE_T cb) = 0;
    virtual void Free(void* pv) = 0;
};
typedef IMalloc* LPMALLOC;

// Hands out the process's shell allocator (one object; Release never frees
// it). Item identifier lists and STRRET_WSTR texts of the shell are freed
// with it.
HRESULT SHGetMalloc(LPMALLOC* ppMalloc);

// [SECTION] Folders and display names
#define CSIDL_PROGRAMS 0x0002
#define CSIDL_STARTUP 0x0007
#define CSIDL_COMMON_PROGRAMS 0x0017
#define CSIDL_COMMON_STARTUP 0x0018

#define SHGDN_NORMAL 0x0000u
#define SHGDN_FORPARSING 0x8000u

#define STRRET_WSTR 0x0000u
#define STRRET_OFFSET 0x0001u
#define STRRET_CSTR 0x0002u
typedef struct _STRRET {
    UINT uType;
    union {
        WCHAR* pOleStr; // STRRET_WSTR: freed with the shell allocator
        UINT uOffset;   // STRRET_OFFSET: ANSI text at this offset in the item
        char cStr[MAX_PATH];
    };
} STRRET;

struct IShellFolder : IUnknown {
    // Only the parsing name (SHGDN_FORPARSING, alone or with other bits) of
    // an item list from SHGetSpecialFolderLocation is known: its full
    // Windows path as STRRET_WSTR. E_INVALIDARG for any other item or flag.
    virtual HRESULT GetDisplayNameOf(LPCITEMIDLIST pidl, DWORD uFlags, STRRET* pName) = 0;
};
typedef IShellFolder* LPSHELLFOLDER;

// Hands out a new desktop folder object (count 1).
HRESULT SHGetDesktopFolder(IShellFolder** ppshf);

// Makes the item list of a special folder, allocated with the shell
// allocator: CSIDL_PROGRAMS and CSIDL_STARTUP of the current user,
// CSIDL_COMMON_PROGRAMS and CSIDL_COMMON_STARTUP of all users, as the
// machine's Start menu folders (Machine.h). The window is not used.
// E_INVALIDARG for any other folder; the folder need not exist.
HRESULT SHGetSpecialFolderLocation(HWND hwndOwner, int nFolder, LPITEMIDLIST* ppidl);

// [SECTION] The shell link
struct IShellLinkA : IUnknown {
    // The target, a path in the ANSI code page of at most MAX_PATH - 1 bytes
    // (E_INVALIDARG otherwise). It need not exist.
    virtual HRESULT SetPath(LPCSTR pszFile) = 0;
    // The link's comment, ANSI, at most INFOTIPSIZE - 1 bytes (E_INVALIDARG).
    virtual HRESULT SetDescription(LPCSTR pszName) = 0;
};
#define INFOTIPSIZE 1024

struct IPersistFile : IUnknown {
    // Writes the link to pszFileName (CREATE_ALWAYS through CreateFileW, so
    // the machine's rules for writing files hold); fRemember is accepted and
    // not kept. A failed write removes the partial file and returns the
    // HRESULT of the Win32 error.
    virtual HRESULT Save(LPCOLESTR pszFileName, BOOL fRemember) = 0;
};
