#include "platform/RegistryRoots.h"

namespace RegistryRoots {
namespace {

const RegistryRoot kRoots[kCount] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", "HKCR"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "HKCU"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "HKLM"},
    {HKEY_USERS, "HKEY_USERS", "HKU"},
    {HKEY_PERFORMANCE_DATA, "HKEY_PERFORMANCE_DATA", nullptr},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG", "HKCC"},
};

} // namespace

const RegistryRoot& Root(std::size_t index) {
    return kRoots[index];
}

const RegistryRoot* FromHandle(HKEY handle) {
    for (const RegistryRoot& root : kRoots)
        if (root.handle == handle)
            return &root;
    return nullptr;
}

const RegistryRoot* FromName(const std::string& name, bool shortNames) {
    for (const RegistryRoot& root : kRoots)
        if (name == root.name || (shortNames && root.shortName && name == root.shortName))
            return &root;
    return nullptr;
}

} // namespace RegistryRoots
