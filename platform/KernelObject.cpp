#include "platform/KernelObject.h"

#include "platform/WinBase.h"

#include <mutex>
#include <unordered_map>

namespace {

std::mutex tableLock;
std::unordered_map<ULONG_PTR, std::shared_ptr<KernelObject>>& Table() {
    static auto* table = new std::unordered_map<ULONG_PTR, std::shared_ptr<KernelObject>>;
    return *table;
}
ULONG_PTR lastHandle = 0;

} // namespace

DWORD KernelObject::TryWait() {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
}

HANDLE KernelObject::Insert(std::shared_ptr<KernelObject> object) {
    std::lock_guard<std::mutex> lock(tableLock);
    lastHandle += 4;
    Table()[lastHandle] = std::move(object);
    return reinterpret_cast<HANDLE>(lastHandle);
}

std::shared_ptr<KernelObject> KernelObject::Lookup(HANDLE handle) {
    std::lock_guard<std::mutex> lock(tableLock);
    auto found = Table().find(reinterpret_cast<ULONG_PTR>(handle));
    return found == Table().end() ? nullptr : found->second;
}

bool KernelObject::Remove(HANDLE handle) {
    std::shared_ptr<KernelObject> object;
    {
        std::lock_guard<std::mutex> lock(tableLock);
        auto found = Table().find(reinterpret_cast<ULONG_PTR>(handle));
        if (found == Table().end())
            return false;
        object = std::move(found->second);
        Table().erase(found);
    }
    return true; // the object is destroyed here, outside the lock
}

BOOL CloseHandle(HANDLE hObject) {
    std::shared_ptr<KernelObject> object = KernelObject::Lookup(hObject);
    if (!object || !object->ClosedByCloseHandle() || !KernelObject::Remove(hObject)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
