// The value functions of the registry subset: query, enumerate, set and
// delete values of the system registry. Sizes follow Windows: a data buffer
// that is too small gets nothing, ERROR_MORE_DATA is returned and the size
// needed is stored; a null data buffer with a size asks for the size.
//
// On the NT family text values are kept as UTF-16LE: the "W" calls hand them
// over as they are, the "A" calls convert them from and to the machine's
// code page at the edge (with "?" for what it lacks). On the older family
// the registry keeps ANSI text and has no "W" calls.
#include "platform/CodePageConverter.h"
#include "platform/RegistryAccess.h"
#include "platform/RegistryHandles.h"
#include "platform/RegistryNames.h"
#include "platform/RegistryText.h"
#include "platform/RegistryWrite.h"

#include <cstring>

namespace {

std::string Text(LPCSTR text) {
    return text ? std::string(text) : std::string();
}

// A wide value name in the code page the store keeps names in; false when
// the code page lacks one of its characters.
bool NameFromWide(LPCWSTR name, unsigned codePage, std::string* ansi) {
    ansi->clear();
    if (!name)
        return true;
    std::size_t length = 0;
    while (name[length])
        ++length;
    bool usedDefault = false;
    return CodePageConverter::FromUtf16(codePage, name, length, ansi, nullptr, &usedDefault) &&
           !usedDefault;
}

std::u16string NameToWide(const std::string& ansi, unsigned codePage) {
    std::u16string wide;
    bool invalid = false;
    CodePageConverter::ToUtf16(codePage, ansi.data(), ansi.size(), &wide, &invalid);
    return wide;
}

LONG CopyData(const std::string& data, LPBYTE buffer, LPDWORD size) {
    if (!size)
        return ERROR_SUCCESS;
    DWORD needed = static_cast<DWORD>(data.size());
    if (buffer && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (buffer && needed > 0)
        std::memcpy(buffer, data.data(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

// A name into a buffer of *count characters; on success *count is its
// length without the terminator.
template <typename Char>
LONG CopyName(const std::basic_string<Char>& name, Char* buffer, LPDWORD count) {
    if (*count < name.size() + 1) {
        *count = static_cast<DWORD>(name.size() + 1);
        return ERROR_MORE_DATA;
    }
    std::memcpy(buffer, name.data(), name.size() * sizeof(Char));
    buffer[name.size()] = Char();
    *count = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

// Resolves a handle that must carry the access bit `need`; a write also
// obeys the machine's rule for its root.
LONG Prepare(HKEY handle, REGSAM need, bool write, RegistryKey* key) {
    if (!RegistryHandles::Resolve(handle, key))
        return ERROR_INVALID_HANDLE;
    if (!(key->access & need) || (write && RegistryAccess::WritesDenied(key->root)))
        return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

// The data as an "A" call sees it: text of the NT family in the code page.
std::string AnsiData(const RegistryStore& store, const RegistryValue& value) {
    if (store.WideText() && RegistryText::IsText(value.type))
        return RegistryText::AnsiFromWide(value.data, store.CodePage());
    return value.data;
}

// The bytes an "A" call sets, as the store keeps them.
std::string StoredData(const RegistryStore& store, DWORD type, const std::string& data) {
    if (store.WideText() && RegistryText::IsText(type))
        return RegistryText::WideFromAnsi(data, store.CodePage());
    return data;
}

std::string DataBytes(const BYTE* data, DWORD size) {
    return data ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
}

// Reads one value by name (index < 0) or by place in the enumeration.
LONG ReadValue(HKEY handle, const std::string& name, long index, RegistryValue* value,
               RegistryStore* store) {
    RegistryKey key;
    if (LONG result = Prepare(handle, KEY_QUERY_VALUE, false, &key))
        return result;
    return index < 0 ? store->GetValue(key.id, name, value)
                     : store->ValueAt(key.id, static_cast<DWORD>(index), value);
}

LONG WriteValue(HKEY handle, const std::string& name, DWORD type, std::string data, bool fromAnsi) {
    if (name.size() > RegistryNames::kMaxValueNameLength)
        return ERROR_INVALID_PARAMETER;
    RegistryKey key;
    if (LONG result = Prepare(handle, KEY_SET_VALUE, true, &key))
        return result;
    return RegistryWrite([&](RegistryStore& store) {
        return store.SetValue(key.id, name, type, fromAnsi ? StoredData(store, type, data) : data);
    });
}

// The store of a "W" call: none on the older family, which has no such calls.
LONG WideStore(const RegistryStore::Session& session) {
    if (!session.Store())
        return ERROR_CANTOPEN;
    return session.Store()->WideText() ? ERROR_SUCCESS : ERROR_CALL_NOT_IMPLEMENTED;
}

} // namespace

LSTATUS RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                         LPDWORD lpcbData) {
    if (lpData && !lpcbData)
        return ERROR_INVALID_PARAMETER;
    RegistryStore::Session session;
    if (!session.Store())
        return ERROR_CANTOPEN;
    RegistryValue value;
    if (LONG result = ReadValue(hKey, Text(lpValueName), -1, &value, session.Store()))
        return result;
    if (lpType)
        *lpType = value.type;
    return CopyData(AnsiData(*session.Store(), value), lpData, lpcbData);
}

LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                         LPDWORD lpcbData) {
    if (lpData && !lpcbData)
        return ERROR_INVALID_PARAMETER;
    RegistryStore::Session session;
    if (LONG result = WideStore(session))
        return result;
    std::string name;
    if (!NameFromWide(lpValueName, session.Store()->CodePage(), &name))
        return ERROR_FILE_NOT_FOUND; // no name of the store spells it
    RegistryValue value;
    if (LONG result = ReadValue(hKey, name, -1, &value, session.Store()))
        return result;
    if (lpType)
        *lpType = value.type;
    return CopyData(value.data, lpData, lpcbData);
}

LSTATUS RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD,
                      LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (!lpValueName || !lpcchValueName || (lpData && !lpcbData))
        return ERROR_INVALID_PARAMETER;
    RegistryStore::Session session;
    if (!session.Store())
        return ERROR_CANTOPEN;
    RegistryValue value;
    if (LONG result = ReadValue(hKey, std::string(), dwIndex, &value, session.Store()))
        return result;
    if (lpType)
        *lpType = value.type;
    LONG nameResult = CopyName(value.name, lpValueName, lpcchValueName);
    LONG dataResult = CopyData(AnsiData(*session.Store(), value), lpData, lpcbData);
    return nameResult ? nameResult : dataResult;
}

LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName, LPDWORD,
                      LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (!lpValueName || !lpcchValueName || (lpData && !lpcbData))
        return ERROR_INVALID_PARAMETER;
    RegistryStore::Session session;
    if (LONG result = WideStore(session))
        return result;
    RegistryValue value;
    if (LONG result = ReadValue(hKey, std::string(), dwIndex, &value, session.Store()))
        return result;
    if (lpType)
        *lpType = value.type;
    std::u16string name = NameToWide(value.name, session.Store()->CodePage());
    LONG nameResult = CopyName(name, lpValueName, lpcchValueName);
    LONG dataResult = CopyData(value.data, lpData, lpcbData);
    return nameResult ? nameResult : dataResult;
}

LSTATUS RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                       DWORD cbData) {
    if (!lpData && cbData > 0)
        return ERROR_INVALID_PARAMETER;
    return WriteValue(hKey, Text(lpValueName), dwType, DataBytes(lpData, cbData), true);
}

LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                       DWORD cbData) {
    if (!lpData && cbData > 0)
        return ERROR_INVALID_PARAMETER;
    std::string name;
    {
        RegistryStore::Session session;
        if (LONG result = WideStore(session))
            return result;
        if (!NameFromWide(lpValueName, session.Store()->CodePage(), &name))
            return ERROR_NO_UNICODE_TRANSLATION;
    }
    return WriteValue(hKey, name, dwType, DataBytes(lpData, cbData), false);
}

LSTATUS RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
    RegistryKey key;
    if (LONG result = Prepare(hKey, KEY_SET_VALUE, true, &key))
        return result;
    return RegistryWrite(
        [&](RegistryStore& store) { return store.DeleteValue(key.id, Text(lpValueName)); });
}
