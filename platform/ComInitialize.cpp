// Per-thread initialisation of the component-object library. Nothing is
// loaded: the count only decides whether objects may be created.
#include "platform/ComThread.h"
#include "platform/ObjBase.h"

namespace {
thread_local int initializeCount = 0;
}

bool ComThread::Initialized() {
    return initializeCount > 0;
}

HRESULT CoInitialize(LPVOID pvReserved) {
    if (pvReserved)
        return E_INVALIDARG;
    return initializeCount++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
    if (initializeCount > 0)
        --initializeCount;
}

HRESULT OleInitialize(LPVOID pvReserved) {
    return CoInitialize(pvReserved);
}

void OleUninitialize() {
    CoUninitialize();
}
