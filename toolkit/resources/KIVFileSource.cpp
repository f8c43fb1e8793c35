#include "toolkit/resources/KIVFileSource.h"

KIVFileSource::KIVFileSource(const char* path) {
    if (!path)
        return;
    handle_ = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
        return;
    DWORD high = 0;
    const DWORD low = GetFileSize(handle_, &high);
    // Resource files are addressed by signed 32-bit offsets: a larger file
    // is read only as far as those reach.
    size_ = (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) ? 0
            : high                                                   ? 0x7FFFFFFF
                                                                     : std::uint64_t{low};
}

KIVFileSource::~KIVFileSource() {
    if (IsOpen())
        CloseHandle(handle_);
}

bool KIVFileSource::ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) const {
    if (!IsOpen() || !Holds(offset, count))
        return false;
    if (count == 0)
        return true;
    if (SetFilePointer(handle_, static_cast<LONG>(offset), nullptr, FILE_BEGIN) ==
        INVALID_SET_FILE_POINTER)
        return false;
    DWORD read = 0;
    return ReadFile(handle_, buffer, count, &read, nullptr) && read == count;
}
