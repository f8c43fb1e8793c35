#include "toolkit/resources/KIVFileSource.h"

#include <algorithm>

namespace {

constexpr std::uint64_t kMaxSize = 0x7FFFFFFF;

} // namespace

KIVFileSource::KIVFileSource(const char* path) {
    if (!path)
        return;
    handle_ = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
        return;
    DWORD high = 0;
    const DWORD low = GetFileSize(handle_, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return;
    // Resource files are addressed by signed 32-bit offsets (and the file
    // pointer is moved by one): a larger file is read only as far as those
    // reach.
    size_ = high ? kMaxSize : std::min<std::uint64_t>(low, kMaxSize);
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
