#include "engine/RegistryKeyList.h"

#include <cstring>

void RegistryKeyList::Add(const char* ansiPath) {
    std::array<char, kPathSize>& record = paths_.emplace_back();
    const std::size_t length = ansiPath ? strnlen(ansiPath, kPathSize - 1) : 0;
    if (length)
        std::memcpy(record.data(), ansiPath, length);
    record[length] = '\0';
}

const char* RegistryKeyList::GetAt(int index) const {
    if (index < 0 || index >= GetSize())
        return nullptr;
    return paths_[static_cast<std::size_t>(index)].data();
}
