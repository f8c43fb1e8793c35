// The desktop folder object: names the item lists of this shell by their
// parsing name, the folder's full Windows path.
#include "platform/SpecialFolderItem.h"
#include "platform/WinBase.h"

#include <cstring>
#include <new>
#include <string>

namespace {

class DesktopFolder final : public IShellFolder {
public:
    HRESULT QueryInterface(REFIID riid, void** ppvObject) override {
        if (!ppvObject)
            return E_POINTER;
        *ppvObject = nullptr;
        if (!IsEqualGUID(riid, IID_IUnknown) && !IsEqualGUID(riid, IID_IShellFolder))
            return E_NOINTERFACE;
        *ppvObject = static_cast<IShellFolder*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++count_; }
    ULONG Release() override {
        const ULONG count = --count_;
        if (count == 0)
            delete this;
        return count;
    }
    HRESULT ParseDisplayName(HWND, LPBC, LPWSTR pszDisplayName, ULONG* pchEaten,
                             LPITEMIDLIST* ppidl, ULONG* pdwAttributes) override;
    HRESULT GetDisplayNameOf(LPCITEMIDLIST pidl, DWORD uFlags, STRRET* pName) override;

private:
    ~DesktopFolder() override = default;
    ULONG count_ = 1;
};

HRESULT DesktopFolder::ParseDisplayName(HWND, LPBC, LPWSTR pszDisplayName, ULONG* pchEaten,
                                        LPITEMIDLIST* ppidl, ULONG* pdwAttributes) {
    if (!ppidl || !pszDisplayName)
        return E_INVALIDARG;
    *ppidl = nullptr;
    if (pdwAttributes)
        *pdwAttributes = 0;
    const DWORD attributes = GetFileAttributesW(pszDisplayName);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    *ppidl = ILCreateFromPathW(pszDisplayName);
    if (!*ppidl)
        return E_INVALIDARG;
    if (pchEaten)
        *pchEaten = static_cast<ULONG>(std::char_traits<char16_t>::length(pszDisplayName));
    return S_OK;
}

HRESULT DesktopFolder::GetDisplayNameOf(LPCITEMIDLIST pidl, DWORD uFlags, STRRET* pName) {
    std::u16string path;
    if (!pName || !(uFlags & SHGDN_FORPARSING) || !SpecialFolderItem::Path(pidl, &path))
        return E_INVALIDARG;
    IMalloc* malloc = nullptr;
    SHGetMalloc(&malloc);
    WCHAR* text = static_cast<WCHAR*>(malloc->Alloc((path.size() + 1) * sizeof(WCHAR)));
    if (!text)
        return E_OUTOFMEMORY;
    std::memcpy(text, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
    pName->uType = STRRET_WSTR;
    pName->pOleStr = text;
    return S_OK;
}

} // namespace

HRESULT SHGetDesktopFolder(IShellFolder** ppshf) {
    if (!ppshf)
        return E_INVALIDARG;
    *ppshf = new (std::nothrow) DesktopFolder();
    return *ppshf ? S_OK : E_OUTOFMEMORY;
}
