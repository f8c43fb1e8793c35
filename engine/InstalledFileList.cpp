#include "engine/InstalledFileList.h"

#include <cstring>

void InstalledFileList::Add(const char* ansiPath) {
    std::array<char, kPathSize>& record = paths_.emplace_back();
    std::size_t length = ansiPath ? std::strlen(ansiPath) : 0;
    if (length > kPathSize - 1)
        length = kPathSize - 1;
    if (length)
        std::memcpy(record.data(), ansiPath, length);
    record[length] = '\0';
}

const char* InstalledFileList::GetAt(int index) const {
    if (index < 0 || index >= GetSize())
        return nullptr;
    return paths_[static_cast<std::size_t>(index)].data();
}
