// The shell link object: keeps what SetPath and SetDescription were given and
// saves it as a .LNK file through the platform's file calls.
#include "platform/ShellLinkObject.h"

#include "platform/WinBase.h"

#include <cstring>

namespace {

// The ANSI text in UTF-16, through the machine's code page.
std::u16string Widen(const char* text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1)
        return {};
    std::u16string wide(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
    wide.resize(static_cast<std::size_t>(size - 1));
    return wide;
}

HRESULT LastErrorResult() {
    const DWORD error = GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

} // namespace

HRESULT ShellLinkObject::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IShellLinkA))
        *ppvObject = static_cast<IShellLinkA*>(this);
    else if (IsEqualGUID(riid, IID_IPersistFile))
        *ppvObject = static_cast<IPersistFile*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG ShellLinkObject::AddRef() {
    return ++count_;
}

ULONG ShellLinkObject::Release() {
    const ULONG count = --count_;
    if (count == 0)
        delete this;
    return count;
}

HRESULT ShellLinkObject::SetPath(LPCSTR pszFile) {
    if (!pszFile || strnlen(pszFile, MAX_PATH) >= MAX_PATH)
        return E_INVALIDARG;
    link_.ansiTargetPath = pszFile;
    link_.targetPath = Widen(pszFile);
    const DWORD attributes = GetFileAttributesA(pszFile);
    link_.fileAttributes = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes;
    return S_OK;
}

HRESULT ShellLinkObject::SetDescription(LPCSTR pszName) {
    if (!pszName || strnlen(pszName, INFOTIPSIZE) >= INFOTIPSIZE)
        return E_INVALIDARG;
    link_.description = Widen(pszName);
    return S_OK;
}

HRESULT ShellLinkObject::Save(LPCOLESTR pszFileName, BOOL) {
    if (!pszFileName)
        return E_INVALIDARG;
    const std::vector<BYTE> bytes = ShellLinkFile::Write(link_);
    HANDLE file = CreateFileW(pszFileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return LastErrorResult();
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    const HRESULT result = wrote ? S_OK : LastErrorResult();
    const BOOL closed = CloseHandle(file);
    if (wrote && closed)
        return S_OK;
    // A half-written link would be read as a damaged one; leave none.
    DeleteFileW(pszFileName);
    return FAILED(result) ? result : LastErrorResult();
}
