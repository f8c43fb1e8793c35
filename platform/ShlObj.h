// The shell subset of the emulated machine: the shell allocator, item
// identifiers of the special folders and of file-system folders, the desktop
// folder's display names, the folder browser, and the shell link object with
// its IPersistFile, which saves real .LNK files (ShellLinkFile.h). Only what
// the setup calls is there.
#pragma once

#include "platform/ObjBase.h"
#include "platform/WinUser.h"

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

struct IBindCtx;
typedef IBindCtx* LPBC;

struct IShellFolder : IUnknown {
    // The item list of a folder's full Windows path, allocated with the
    // shell allocator. The bind context, the window and the attributes are
    // not used (*pdwAttributes is set to 0). The folder must exist:
    // HRESULT of ERROR_FILE_NOT_FOUND otherwise, E_INVALIDARG for a path
    // without a drive.
    virtual HRESULT ParseDisplayName(HWND hwnd, LPBC pbc, LPWSTR pszDisplayName, ULONG* pchEaten,
                                     LPITEMIDLIST* ppidl, ULONG* pdwAttributes) = 0;
    // Only the parsing name (SHGDN_FORPARSING, alone or with other bits) of
    // an item list from SHGetSpecialFolderLocation, ILCreateFromPath or the
    // folder browser is known: its full Windows path as STRRET_WSTR.
    // E_INVALIDARG for any other item or flag.
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

// Makes the item list of a file-system folder from its full Windows path
// ("X:\..."), allocated with the shell allocator (free it with ILFree).
// Unlike Windows, the folder need not exist. Null for a path without a
// drive or longer than MAX_PATH - 1 characters.
LPITEMIDLIST ILCreateFromPathA(LPCSTR pszPath);
LPITEMIDLIST ILCreateFromPathW(LPCWSTR pszPath);
// Frees an item list with the shell allocator; null is allowed.
void ILFree(LPITEMIDLIST pidl);

// The Windows path of an item list from this shell (a special folder, a
// file-system folder) in the ANSI code page, copied into pszPath, a buffer of
// MAX_PATH bytes. FALSE, with pszPath empty, for any other list or a path
// that does not fit.
BOOL SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR pszPath);

// [SECTION] The folder browser
#define BIF_RETURNONLYFSDIRS 0x0001u // only file-system folders can be chosen
#define BIF_DONTGOBELOWDOMAIN 0x0002u
#define BIF_STATUSTEXT 0x0004u       // a status line above the tree
#define BIF_RETURNFSANCESTORS 0x0008u
#define BIF_EDITBOX 0x0010u // a field where the folder's path can be typed
#define BIF_VALIDATE 0x0020u
#define BIF_NEWDIALOGSTYLE 0x0040u // the larger browser with a New folder button

// Messages to the browser's callback.
#define BFFM_INITIALIZED 1 // lParam 0
#define BFFM_SELCHANGED 2  // lParam the item list of the new selection
// Messages the callback may send to the browser's window.
#define BFFM_SETSTATUSTEXTA (WM_USER + 100) // lParam the text (ANSI)
#define BFFM_ENABLEOK (WM_USER + 101)       // lParam non-zero enables OK
#define BFFM_SETSELECTIONA (WM_USER + 102)  // wParam TRUE: lParam a path, else an item list

typedef int (*BFFCALLBACK)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

typedef struct _browseinfoA {
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot; // the top of the tree; null: every drive
    LPSTR pszDisplayName;   // MAX_PATH bytes: the chosen folder's display name
    LPCSTR lpszTitle;       // the instruction above the tree
    UINT ulFlags;           // BIF_*
    BFFCALLBACK lpfn;
    LPARAM lParam; // handed to lpfn as lpData
    int iImage;    // the chosen folder's image: 3 a folder, 8 a drive
} BROWSEINFOA, *LPBROWSEINFOA;

// Runs the folder browser modally and returns the item list of the chosen
// folder (free it with ILFree), filling pszDisplayName and iImage; null when
// the user cancels. The platform draws nothing itself: the browser is the
// one the user-interface toolkit registered (platform/ui/FolderBrowserHook.h);
// without one the call returns null as a cancelled browser would.
LPITEMIDLIST SHBrowseForFolderA(LPBROWSEINFOA lpbi);

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
