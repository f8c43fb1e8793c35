// The shell allocator: one object for the process, over the C library heap.
#include "platform/ShlObj.h"

#include <cstdlib>

namespace {

class ShellAllocator final : public IMalloc {
public:
    HRESULT QueryInterface(REFIID riid, void** ppvObject) override {
        if (!ppvObject)
            return E_POINTER;
        *ppvObject = nullptr;
        if (!IsEqualGUID(riid, IID_IUnknown) && !IsEqualGUID(riid, IID_IMalloc))
            return E_NOINTERFACE;
        *ppvObject = static_cast<IMalloc*>(this);
        return S_OK;
    }
    // The allocator lives as long as the process: counting would free nothing.
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    void* Alloc(SIZE_T cb) override { return std::malloc(cb ? cb : 1); }
    void Free(void* pv) override { std::free(pv); }
};

ShellAllocator allocator;

} // namespace

HRESULT SHGetMalloc(LPMALLOC* ppMalloc) {
    if (!ppMalloc)
        return E_INVALIDARG;
    *ppMalloc = &allocator;
    return S_OK;
}
