// CoCreateInstance: the one class the setup creates, the shell link.
#include "platform/ComThread.h"
#include "platform/ShellLinkObject.h"

#include <new>

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD, REFIID riid, LPVOID* ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!ComThread::Initialized())
        return CO_E_NOTINITIALIZED;
    if (pUnkOuter)
        return CLASS_E_NOAGGREGATION;
    if (!IsEqualGUID(rclsid, CLSID_ShellLink))
        return REGDB_E_CLASSNOTREG;
    ShellLinkObject* link = new (std::nothrow) ShellLinkObject();
    if (!link)
        return E_OUTOFMEMORY;
    IShellLinkA* unknown = link;
    const HRESULT result = unknown->QueryInterface(riid, ppv);
    unknown->Release();
    return result;
}
