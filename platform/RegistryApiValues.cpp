// The value functions of the registry subset: query, enumerate, set and
// delete values of the system registry. Sizes follow Windows: a data buffer
// that is too small gets nothing, ERROR_MORE_DATA is returned and the size
// needed is stored; a null data buffer with a size asks for the size.
#include "platform/RegistryAccess.h"
#include "platform/RegistryHandles.h"
#include "platform/RegistryNames.h"
#include "platform/RegistryWrite.h"

#include <cstring>

namespace {

std::string Text(LPCSTR text) {
    return text ? std::string(text) : std::string();
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

// Resolves a handle that must carry the access bit `need`; a write also
// obeys the machine's rule for its root.
LONG Prepare(HKEY handle, REGSAM need, bool write, RegistryKey* key) {
    if (!RegistryHandles::Resolve(handle, key))
        return ERROR_INVALID_HANDLE;
    if (!(key->access & need) || (write && RegistryAccess::WritesDenied(key->root)))
        return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

} // namespace

LSTATUS RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                         LPDWORD lpcbData) {
    if (lpData && !lpcbData)
        return ERROR_INVALID_PARAMETER;
    RegistryKey key;
    if (LONG result = Prepare(hKey, KEY_QUERY_VALUE, false, &key))
        return result;
    RegistryStore::Session session;
    if (!session.Store())
        return ERROR_CANTOPEN;
    RegistryValue value;
    if (LONG result = session.Store()->GetValue(key.id, Text(lpValueName), &value))
        return result;
    if (lpType)
        *lpType = value.type;
    return CopyData(value.data, lpData, lpcbData);
}

LSTATUS RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD,
                      LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (!lpValueName || !lpcchValueName || (lpData && !lpcbData))
        return ERROR_INVALID_PARAMETER;
    RegistryKey key;
    if (LONG result = Prepare(hKey, KEY_QUERY_VALUE, false, &key))
        return result;
    RegistryStore::Session session;
    if (!session.Store())
        return ERROR_CANTOPEN;
    RegistryValue value;
    if (LONG result = session.Store()->ValueAt(key.id, dwIndex, &value))
        return result;
    if (lpType)
        *lpType = value.type;
    LONG nameResult = ERROR_SUCCESS;
    if (*lpcchValueName < value.name.size() + 1) {
        *lpcchValueName = static_cast<DWORD>(value.name.size() + 1);
        nameResult = ERROR_MORE_DATA;
    } else {
        std::memcpy(lpValueName, value.name.data(), value.name.size());
        lpValueName[value.name.size()] = '\0';
        *lpcchValueName = static_cast<DWORD>(value.name.size());
    }
    LONG dataResult = CopyData(value.data, lpData, lpcbData);
    return nameResult ? nameResult : dataResult;
}

LSTATUS RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                       DWORD cbData) {
    if ((!lpData && cbData > 0) || Text(lpValueName).size() > RegistryNames::kMaxValueNameLength)
        return ERROR_INVALID_PARAMETER;
    RegistryKey key;
    if (LONG result = Prepare(hKey, KEY_SET_VALUE, true, &key))
        return result;
    std::string data(
        reinterpret_cast<const char*>(lpData ? lpData : reinterpret_cast<const BYTE*>("")), cbData);
    return RegistryWrite([&](RegistryStore& store) {
        return store.SetValue(key.id, Text(lpValueName), dwType, data);
    });
}

LSTATUS RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
    RegistryKey key;
    if (LONG result = Prepare(hKey, KEY_SET_VALUE, true, &key))
        return result;
    return RegistryWrite(
        [&](RegistryStore& store) { return store.DeleteValue(key.id, Text(lpValueName)); });
}
