#include "toolkit/KIVFileFinder.h"

#include "toolkit/KIVNarrowText.h"
#include "toolkit/KIVSystem.h"

#include <cstdlib>

KIVFileFinder::KIVFileFinder(const char16_t* pattern) : pattern_(pattern ? pattern : u"") {}

KIVFileFinder::~KIVFileFinder() {
    Close();
}

bool KIVFileFinder::Step() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        return wide_ ? FindNextFileW(handle_, static_cast<WIN32_FIND_DATAW*>(findData_))
                     : FindNextFileA(handle_, static_cast<WIN32_FIND_DATAA*>(findData_));
    }
    if (!findData_) {
        wide_ = KIVIsWindowsNT();
        findData_ = std::calloc(1, wide_ ? sizeof(WIN32_FIND_DATAW) : sizeof(WIN32_FIND_DATAA));
        if (!findData_)
            return false;
    }
    if (wide_) {
        handle_ = FindFirstFileW(pattern_, static_cast<WIN32_FIND_DATAW*>(findData_));
    } else {
        KIVNarrowPath narrow(pattern_);
        if (!narrow.Ok())
            return false;
        handle_ = FindFirstFileA(narrow.Get(), static_cast<WIN32_FIND_DATAA*>(findData_));
    }
    return handle_ != INVALID_HANDLE_VALUE;
}

KIVString KIVFileFinder::EntryName() const {
    if (wide_) {
        auto* data = static_cast<WIN32_FIND_DATAW*>(findData_);
        data->cFileName[MAX_PATH - 1] = u'\0';
        return KIVString(data->cFileName);
    }
    auto* data = static_cast<WIN32_FIND_DATAA*>(findData_);
    data->cFileName[MAX_PATH - 1] = '\0';
    char16_t name[MAX_PATH];
    KIVWideFromNarrow(data->cFileName, name, MAX_PATH);
    return KIVString(name);
}

bool KIVFileFinder::Next(KIVString* path, bool* isFolder) {
    if (!Step())
        return false;
    if (path) {
        int slash = pattern_.ReverseFind('\\');
        int forward = pattern_.ReverseFind('/');
        if (forward > slash)
            slash = forward;
        *path = pattern_.Left(slash + 1) + EntryName();
    }
    if (isFolder)
        *isFolder = (Attributes() & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}

DWORD KIVFileFinder::Attributes() const {
    if (!findData_)
        return 0;
    return wide_ ? static_cast<const WIN32_FIND_DATAW*>(findData_)->dwFileAttributes
                 : static_cast<const WIN32_FIND_DATAA*>(findData_)->dwFileAttributes;
}

int KIVFileFinder::Count() {
    int count = 0;
    while (Next(nullptr, nullptr))
        ++count;
    return count;
}

void KIVFileFinder::Close() {
    if (handle_ != INVALID_HANDLE_VALUE)
        FindClose(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    std::free(findData_);
    findData_ = nullptr;
    pattern_.Empty();
}
