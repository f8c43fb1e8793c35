// The key functions of the registry subset: create, open, close, enumerate
// and delete keys of the system registry.
#include "platform/RegistryAccess.h"
#include "platform/RegistryHandles.h"
#include "platform/RegistryWrite.h"

#include <cstring>

namespace {

// Resolves the parent of a key that is to be created or deleted; such a
// change obeys the machine's write rule for the parent's root.
LONG ResolveParentForWrite(HKEY handle, RegistryKey* parent) {
    if (!RegistryHandles::Resolve(handle, parent))
        return ERROR_INVALID_HANDLE;
    return RegistryAccess::WritesDenied(parent->root) ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}

std::string Text(LPCSTR text) {
    return text ? std::string(text) : std::string();
}

// An empty sub key names the key itself: a predefined key stays its
// constant, any other key gets a handle of its own.
HKEY HandleFor(HKEY parentHandle, const RegistryKey& parent, RegKeyId id, REGSAM access) {
    if (id == parent.id && RegistryHandles::IsPredefined(parentHandle))
        return parentHandle;
    return RegistryHandles::Open(RegistryKey{id, parent.root, access});
}

LONG CopyName(const std::string& name, LPSTR buffer, LPDWORD count) {
    if (*count < name.size() + 1) {
        *count = static_cast<DWORD>(name.size() + 1);
        return ERROR_MORE_DATA;
    }
    std::memcpy(buffer, name.data(), name.size());
    buffer[name.size()] = '\0';
    *count = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

} // namespace

LSTATUS RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    RegistryKey parent;
    if (!RegistryHandles::Resolve(hKey, &parent))
        return ERROR_INVALID_HANDLE;
    if ((samDesired & RegistryAccess::kWriteBits) && RegistryAccess::WritesDenied(parent.root))
        return ERROR_ACCESS_DENIED;
    RegistryStore::Session session;
    if (!session.Store())
        return ERROR_CANTOPEN;
    RegKeyId id = 0;
    if (LONG result = session.Store()->FindPath(parent.id, Text(lpSubKey), &id))
        return result;
    *phkResult = HandleFor(hKey, parent, id, samDesired);
    return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    RegistryKey parent;
    if (LONG result = ResolveParentForWrite(hKey, &parent))
        return result;
    RegistryStore::Session session;
    RegistryStore* store = session.Store();
    if (!store)
        return ERROR_CANTOPEN;
    // Most calls open a key that exists: look first, write only when needed.
    RegKeyId id = 0;
    LONG result = store->FindPath(parent.id, Text(lpSubKey), &id);
    if (result == ERROR_FILE_NOT_FOUND)
        result = RegistryWrite([&](RegistryStore& writer) {
            return writer.CreatePath(parent.id, Text(lpSubKey), &id);
        });
    if (result)
        return result;
    *phkResult = HandleFor(hKey, parent, id, KEY_ALL_ACCESS);
    return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY hKey) {
    if (RegistryHandles::IsPredefined(hKey))
        return ERROR_SUCCESS;
    return RegistryHandles::Close(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD,
                      LPSTR lpClass, LPDWORD lpcchClass, FILETIME* lpftLastWriteTime) {
    if (!lpName || !lpcchName || (lpClass && !lpcchClass))
        return ERROR_INVALID_PARAMETER;
    RegistryKey key;
    if (!RegistryHandles::Resolve(hKey, &key))
        return ERROR_INVALID_HANDLE;
    if (!(key.access & KEY_ENUMERATE_SUB_KEYS))
        return ERROR_ACCESS_DENIED;
    RegistryStore::Session session;
    if (!session.Store())
        return ERROR_CANTOPEN;
    RegistrySubKey subKey;
    if (LONG result = session.Store()->SubKeyAt(key.id, dwIndex, &subKey))
        return result;
    if (lpClass && *lpcchClass > 0)
        lpClass[0] = '\0';
    if (lpcchClass)
        *lpcchClass = 0;
    if (lpftLastWriteTime)
        *lpftLastWriteTime = FILETIME{0, 0};
    return CopyName(subKey.name, lpName, lpcchName);
}

LSTATUS RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
    if (!lpSubKey)
        return ERROR_INVALID_PARAMETER;
    RegistryKey parent;
    if (LONG result = ResolveParentForWrite(hKey, &parent))
        return result;
    return RegistryWrite([&](RegistryStore& store) {
        RegKeyId id = 0;
        LONG result = store.FindPath(parent.id, lpSubKey, &id);
        return result == ERROR_SUCCESS ? store.DeleteKey(id) : result;
    });
}

LSTATUS RegDeleteTreeA(HKEY hKey, LPCSTR lpSubKey) {
    RegistryKey parent;
    if (LONG result = ResolveParentForWrite(hKey, &parent))
        return result;
    return RegistryWrite([&](RegistryStore& store) {
        RegKeyId id = 0;
        LONG result = store.FindPath(parent.id, Text(lpSubKey), &id);
        if (result != ERROR_SUCCESS)
            return result;
        return store.DeleteTree(id, !lpSubKey || id == parent.id);
    });
}
