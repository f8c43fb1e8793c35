// The shape of every write of the registry subset: take the current machine's
// store, run the change in one write transaction, and commit it when the
// change succeeds (a failed change is rolled back whole).
#pragma once

#include "platform/RegistryStore.h"
#include "platform/WinError.h"

template <typename Change>
LONG RegistryWrite(Change change) {
    RegistryStore::Session session;
    RegistryStore* store = session.Store();
    if (!store)
        return ERROR_CANTOPEN;
    RegistryStore::Transaction transaction(*store, true);
    if (!transaction.Ok())
        return ERROR_CANTWRITE;
    LONG result = change(*store);
    if (result == ERROR_SUCCESS && !transaction.Commit())
        result = ERROR_CANTWRITE;
    return result;
}
