#include "engine/RootKeyFromName.h"

#include "platform/RegistryRoots.h"

#include <string>

HKEY RootKeyFromName(std::string_view name) {
    const RegistryRoot* root = RegistryRoots::FromName(std::string(name));
    return root ? root->handle : nullptr;
}

bool IsRootKey(HKEY key) {
    return RegistryRoots::FromHandle(key) != nullptr;
}
