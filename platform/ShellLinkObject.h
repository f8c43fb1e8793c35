// The shell link object that CoCreateInstance(CLSID_ShellLink) hands out: one
// object with the IShellLinkA and IPersistFile interfaces and one reference
// count. Internal to the platform layer.
#pragma once

#include "platform/ShellLinkFile.h"
#include "platform/ShlObj.h"

class ShellLinkObject final : public IShellLinkA, public IPersistFile {
public:
    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT SetPath(LPCSTR pszFile) override;
    HRESULT SetDescription(LPCSTR pszName) override;
    HRESULT Save(LPCOLESTR pszFileName, BOOL fRemember) override;

private:
    ~ShellLinkObject() override = default;

    ULONG count_ = 1;
    ShellLinkData link_;
};
