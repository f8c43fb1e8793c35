// The component-object subset of the emulated machine: identifiers, the
// IUnknown base, per-thread initialisation and the creation of the one class
// the setup asks for (the shell link, see ShlObj.h). Objects are plain C++
// classes with the method shapes and reference counts of their interfaces;
// there is no class registry, marshalling or apartment.
#pragma once

#include "platform/WinTypes.h"

typedef LONG HRESULT;
typedef WCHAR OLECHAR;
typedef const OLECHAR* LPCOLESTR;

#define S_OK (static_cast<HRESULT>(0L))
#define S_FALSE (static_cast<HRESULT>(1L))
#define E_NOTIMPL (static_cast<HRESULT>(0x80004001L))
#define E_NOINTERFACE (static_cast<HRESULT>(0x80004002L))
#define E_POINTER (static_cast<HRESULT>(0x80004003L))
#define E_FAIL (static_cast<HRESULT>(0x80004005L))
#define E_OUTOFMEMORY (static_cast<HRESULT>(0x8007000EL))
#define E_INVALIDARG (static_cast<HRESULT>(0x80070057L))
#define CLASS_E_NOAGGREGATION (static_cast<HRESULT>(0x80040110L))
#define REGDB_E_CLASSNOTREG (static_cast<HRESULT>(0x80040154L))
#define CO_E_NOTINITIALIZED (static_cast<HRESULT>(0x800401F0L))
#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
// The Win32 error code carried by a failure of the file calls.
#define HRESULT_FROM_WIN32(x)                                                                      \
    (static_cast<HRESULT>(x) <= 0 ? static_cast<HRESULT>(x)                                        \
                                  : static_cast<HRESULT>(((x)&0x0000FFFFu) | 0x80070000u))

typedef struct _GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
} GUID, IID, CLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

inline bool IsEqualGUID(REFGUID a, REFGUID b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}

#define CLSCTX_INPROC_SERVER 0x1u

extern const IID IID_IUnknown; // {00000000-0000-0000-C000-000000000046}

// The base of every interface. An object is freed by the Release that brings
// its count to 0; the destructor is not for callers.
struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};
typedef IUnknown* LPUNKNOWN;

// Initialisation counts per thread, as on Windows: the first call gives S_OK,
// later ones S_FALSE, and each must be matched by an Uninitialize. The
// reserved argument must be null (E_INVALIDARG otherwise).
HRESULT CoInitialize(LPVOID pvReserved);
void CoUninitialize();
HRESULT OleInitialize(LPVOID pvReserved);
void OleUninitialize();

// Creates an object of the class rclsid and hands out its interface riid.
// Only CLSID_ShellLink (ShlObj.h) is known (REGDB_E_CLASSNOTREG otherwise);
// aggregation is refused (CLASS_E_NOAGGREGATION), and so is a thread that
// has not initialised the library (CO_E_NOTINITIALIZED). The context is not
// looked at: every object lives in the caller's process.
HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                         LPVOID* ppv);
