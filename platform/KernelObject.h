// The base of every object that a HANDLE stands for (files, searches,
// processes, modules, file mappings), and the process-wide handle table.
// Handles are small numbers, multiples of 4 as on Windows, never reused, so
// a stale or made-up handle is refused instead of being dereferenced, and a
// handle survives a round trip through an int (HFILE). Internal to the
// platform layer.
#pragma once

#include "platform/WinTypes.h"

#include <memory>

class KernelObject {
public:
    virtual ~KernelObject() = default;

    // Whether CloseHandle may close it (modules are freed by FreeLibrary).
    virtual bool ClosedByCloseHandle() const { return true; }

    // One look of WaitForSingleObject: WAIT_OBJECT_0 when the object is
    // signalled now (a mutex is then owned by the calling thread),
    // WAIT_TIMEOUT when not yet, WAIT_FAILED (with the last error) for an
    // object that cannot be waited for.
    virtual DWORD TryWait();

    // Adds an object to the handle table and returns its new handle.
    static HANDLE Insert(std::shared_ptr<KernelObject> object);

    // The object of a handle, or null for an unknown handle. The pointer keeps
    // the object alive while in use even if another thread closes it.
    static std::shared_ptr<KernelObject> Lookup(HANDLE handle);

    template <typename T> static std::shared_ptr<T> LookupAs(HANDLE handle) {
        return std::dynamic_pointer_cast<T>(Lookup(handle));
    }

    // Removes a handle from the table; false for an unknown handle. The
    // object goes when its last user lets go of it.
    static bool Remove(HANDLE handle);
};
