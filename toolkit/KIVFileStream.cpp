// Opening, closing and positioning of KIVFileStream; reading, writing and
// the tagged values are in KIVFileStreamIO.cpp.
//
// [SECTION] Opening and closing
// [SECTION] Position
#include "toolkit/KIVFileStream.h"

#include "toolkit/KIVNarrowText.h"
#include "toolkit/KIVSystem.h"

#include <algorithm>
#include <climits>
#include <cstring>

// [SECTION] Opening and closing

KIVFileStream::~KIVFileStream() {
    Free();
}

bool KIVFileStream::OpenHandle(int mode, const char16_t* path) {
    const DWORD flags = FILE_FLAG_RANDOM_ACCESS | FILE_ATTRIBUTE_ARCHIVE;
    switch (mode) {
    case kRead:
    case kRawRead:
        handle_ = KIVCreateFile(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_RANDOM_ACCESS, nullptr);
        return true;
    case kWrite:
    case kRawWrite:
        handle_ = KIVCreateFile(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, flags, nullptr);
        return true;
    case kReadWriteMarked:
    case kReadWrite:
        handle_ = KIVCreateFile(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                flags, nullptr);
        return true;
    case kAppendMarked:
    case kAppend:
        handle_ = KIVCreateFile(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, flags,
                                nullptr);
        return true;
    default:
        return false;
    }
}

bool KIVFileStream::Open(int mode, const char16_t* path, int marker) {
    Free();
    mode_ = mode;
    position_ = 0;
    capacity_ = 0;
    endReached_ = false;
    size_ = 0;
    native_ = true;
    StorePath(path);
    if (!path || !OpenHandle(mode, path) || handle_ == INVALID_HANDLE_VALUE)
        return false;
    BYTE written = marker == 0 ? kNativeMarker : static_cast<BYTE>(marker);
    int markerBytes = 0;
    switch (mode) {
    case kRead:
        ReadMarker(false);
        break;
    case kWrite:
        markerBytes = Write(&written, 1);
        native_ = written == kNativeMarker;
        break;
    case kRawRead:
        native_ = marker == kNativeMarker;
        break;
    case kRawWrite:
        native_ = marker == kNativeMarker || marker == 0;
        break;
    case kReadWriteMarked:
        written = kNativeMarker;
        markerBytes = Write(&written, 1);
        break;
    case kAppendMarked:
        ReadMarker(true);
        break;
    default:
        break;
    }
    if (mode == kAppendMarked || mode == kAppend)
        SetFilePointer(handle_, 0, nullptr, FILE_END);
    // A file just made or emptied holds its marker at most: no need to ask
    // the host, which for many small files is a call per file.
    bool emptied =
        mode == kWrite || mode == kRawWrite || mode == kReadWrite || mode == kReadWriteMarked;
    size_ = emptied ? markerBytes
                    : static_cast<int>(std::min<DWORD>(GetFileSize(handle_, nullptr), INT_MAX));
    return true;
}

// The marker byte opens the file and is consumed; an empty file opened for
// appending gets the native marker written.
void KIVFileStream::ReadMarker(bool writeWhenEmpty) {
    BYTE marker = 0;
    if (Read(&marker, 1) == 1) {
        native_ = marker == kNativeMarker;
        return;
    }
    native_ = false;
    if (writeWhenEmpty) {
        endReached_ = false;
        marker = kNativeMarker;
        native_ = Write(&marker, 1) == 1;
    }
}

void KIVFileStream::StorePath(const char16_t* path) {
    path_[0] = u'\0';
    if (!path)
        return;
    size_t length = 0;
    while (path[length] && length < MAX_PATH)
        ++length;
    if (length >= MAX_PATH)
        return;
    std::memcpy(path_, path, (length + 1) * sizeof(char16_t));
}

bool KIVFileStream::OpenMemory(int mode, HGLOBAL block, int marker) {
    Free();
    mode_ = mode;
    native_ = marker == kNativeMarker;
    position_ = 0;
    endReached_ = false;
    path_[0] = u'\0';
    if (mode == kMemoryRead) {
        handle_ = block ? block : INVALID_HANDLE_VALUE;
        capacity_ = 0;
        size_ = -1;
        return block != nullptr;
    }
    if (mode != kMemoryWrite) {
        mode_ = kRawRead;
        return false;
    }
    HGLOBAL own = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, growthStep_);
    handle_ = own ? own : INVALID_HANDLE_VALUE;
    capacity_ = own ? growthStep_ : 0;
    size_ = 0;
    return own != nullptr;
}

bool KIVFileStream::IsOpen() const {
    return !IsMemory() && handle_ != INVALID_HANDLE_VALUE;
}

void KIVFileStream::Close() {
    if (!IsMemory() && handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
    if (!IsMemory())
        handle_ = INVALID_HANDLE_VALUE;
}

void KIVFileStream::Free() {
    if (mode_ == kMemoryWrite && handle_ != INVALID_HANDLE_VALUE)
        GlobalFree(handle_);
    if (IsMemory()) {
        handle_ = INVALID_HANDLE_VALUE;
        capacity_ = 0;
        return;
    }
    Close();
}

HGLOBAL KIVFileStream::Detach() {
    if (mode_ != kMemoryWrite || handle_ == INVALID_HANDLE_VALUE)
        return nullptr;
    HGLOBAL block = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    capacity_ = 0;
    return block;
}

void KIVFileStream::DeleteFile() {
    KIVNarrowPath narrow(path_);
    if (narrow.Ok() && narrow.Get()[0])
        DeleteFileA(narrow.Get());
}

bool KIVFileStream::Exists(const char16_t* path) {
    KIVFileStream probe;
    probe.Open(kRawRead, path, 0);
    bool exists = probe.IsOpen();
    probe.Close();
    return exists;
}

// [SECTION] Position

int KIVFileStream::Tell() const {
    if (IsMemory())
        return position_;
    if (handle_ == INVALID_HANDLE_VALUE)
        return 0;
    return static_cast<int>(SetFilePointer(handle_, 0, nullptr, FILE_CURRENT));
}

int KIVFileStream::GetSize() const {
    if (IsMemory() || handle_ == INVALID_HANDLE_VALUE)
        return 0;
    DWORD size = GetFileSize(handle_, nullptr);
    return size == INVALID_FILE_SIZE ? 0 : static_cast<int>(std::min<DWORD>(size, INT_MAX));
}

int KIVFileStream::Seek(int distance, int origin) {
    if (IsMemory()) {
        long long target =
            origin == FILE_CURRENT ? static_cast<long long>(position_) + distance : distance;
        position_ = static_cast<int>(std::clamp<long long>(target, INT_MIN, INT_MAX));
        return position_;
    }
    if (handle_ == INVALID_HANDLE_VALUE)
        return -1;
    DWORD moved = SetFilePointer(handle_, distance, nullptr, static_cast<DWORD>(origin));
    if (moved == INVALID_SET_FILE_POINTER)
        return -1;
    if (endReached_ && static_cast<int>(moved) < GetSize())
        endReached_ = false;
    return static_cast<int>(moved);
}

bool KIVFileStream::IsEnd() const {
    if (IsMemory() || mode_ == kWrite || mode_ == kRawWrite)
        return false;
    return endReached_ || Tell() >= GetSize();
}
