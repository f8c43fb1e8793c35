// Read-only file mappings: CreateFileMappingA, MapViewOfFile and
// UnmapViewOfFile over mmap. A mapping holds its file open, as on Windows,
// so the file handle may be closed while the mapping is in use.
#include "platform/FileObject.h"
#include "platform/HostPath.h"
#include "platform/WinBase.h"

#include <map>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>

namespace {

class FileMappingObject : public KernelObject {
public:
    FileMappingObject(std::shared_ptr<FileObject> file, ULONGLONG size)
        : file(std::move(file)), size(size) {}
    std::shared_ptr<FileObject> file;
    ULONGLONG size;
};

std::mutex viewLock;
std::map<const void*, std::size_t>& Views() {
    static auto* views = new std::map<const void*, std::size_t>;
    return *views;
}

const ULONGLONG kGranularity = 65536;

} // namespace

HANDLE CreateFileMappingA(HANDLE hFile, LPSECURITY_ATTRIBUTES, DWORD flProtect,
                          DWORD dwMaximumSizeHigh, DWORD dwMaximumSizeLow, LPCSTR) {
    std::shared_ptr<FileObject> file = KernelObject::LookupAs<FileObject>(hFile);
    if (!file) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    struct stat info;
    if (flProtect != PAGE_READONLY || !(file->Access() & GENERIC_READ) ||
        fstat(file->Descriptor(), &info) != 0) {
        SetLastError(flProtect != PAGE_READONLY ? ERROR_NOT_SUPPORTED : ERROR_ACCESS_DENIED);
        return nullptr;
    }
    ULONGLONG size = (static_cast<ULONGLONG>(dwMaximumSizeHigh) << 32) | dwMaximumSizeLow;
    ULONGLONG fileSize = static_cast<ULONGLONG>(info.st_size);
    if (size == 0)
        size = fileSize;
    if (size == 0 || size > fileSize) { // a read-only mapping cannot grow its file
        SetLastError(size == 0 ? ERROR_FILE_INVALID : ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return KernelObject::Insert(std::make_shared<FileMappingObject>(file, size));
}

LPVOID MapViewOfFile(HANDLE hFileMappingObject, DWORD dwDesiredAccess, DWORD dwFileOffsetHigh,
                     DWORD dwFileOffsetLow, SIZE_T dwNumberOfBytesToMap) {
    auto mapping = KernelObject::LookupAs<FileMappingObject>(hFileMappingObject);
    if (!mapping) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ULONGLONG offset = (static_cast<ULONGLONG>(dwFileOffsetHigh) << 32) | dwFileOffsetLow;
    if (dwDesiredAccess != FILE_MAP_READ) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    if (offset % kGranularity != 0 || offset >= mapping->size ||
        dwNumberOfBytesToMap > mapping->size - offset) {
        SetLastError(offset % kGranularity ? ERROR_MAPPED_ALIGNMENT : ERROR_ACCESS_DENIED);
        return nullptr;
    }
    std::size_t length = dwNumberOfBytesToMap ? dwNumberOfBytesToMap
                                              : static_cast<std::size_t>(mapping->size - offset);
    void* view = mmap(nullptr, length, PROT_READ, MAP_SHARED, mapping->file->Descriptor(),
                      static_cast<off_t>(offset));
    if (view == MAP_FAILED) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(viewLock);
    Views()[view] = length;
    return view;
}

BOOL UnmapViewOfFile(LPCVOID lpBaseAddress) {
    std::lock_guard<std::mutex> lock(viewLock);
    auto found = Views().find(lpBaseAddress);
    if (found == Views().end())
        return HostPath::Fail(ERROR_INVALID_ADDRESS);
    munmap(const_cast<void*>(found->first), found->second);
    Views().erase(found);
    return TRUE;
}
