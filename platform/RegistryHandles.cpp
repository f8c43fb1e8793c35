#include "platform/RegistryHandles.h"

#include "platform/Machine.h"
#include "platform/RegistryRoots.h"

#include <mutex>
#include <unordered_set>

namespace RegistryHandles {
namespace {

struct Handle {
    RegistryKey key;
    unsigned generation;
};

std::mutex& TableLock() {
    static std::mutex lock;
    return lock;
}

// Never destroyed: handles may be closed by static destructors at exit.
std::unordered_set<Handle*>& Table() {
    static auto* table = new std::unordered_set<Handle*>;
    return *table;
}

} // namespace

bool IsPredefined(HKEY handle) {
    return RegistryRoots::FromHandle(handle) != nullptr;
}

HKEY Open(const RegistryKey& key) {
    auto* handle = new Handle{key, Machine::Generation()};
    std::lock_guard<std::mutex> lock(TableLock());
    Table().insert(handle);
    return reinterpret_cast<HKEY>(handle);
}

bool Resolve(HKEY handle, RegistryKey* key) {
    if (RegKeyId root = RegistryStore::RootId(handle)) {
        *key = RegistryKey{root, root, KEY_ALL_ACCESS};
        return true;
    }
    auto* object = reinterpret_cast<Handle*>(handle);
    std::lock_guard<std::mutex> lock(TableLock());
    if (!Table().count(object) || object->generation != Machine::Generation())
        return false;
    *key = object->key;
    return true;
}

bool Close(HKEY handle) {
    auto* object = reinterpret_cast<Handle*>(handle);
    {
        std::lock_guard<std::mutex> lock(TableLock());
        if (!Table().erase(object))
            return false;
    }
    delete object;
    return true;
}

} // namespace RegistryHandles
