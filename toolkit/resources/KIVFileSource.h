// KIVFileSource: a resource file read through the platform's file handle
// (CreateFileA, ReadFile). The file is opened for reading, shared for
// reading, when the source is made and closed when it goes.
#pragma once

#include "toolkit/resources/KIVResourceSource.h"

#include "platform/WinBase.h"

class KIVFileSource : public KIVResourceSource {
public:
    // path: the file's path in the ANSI code page.
    explicit KIVFileSource(const char* path);
    ~KIVFileSource() override;
    KIVFileSource(const KIVFileSource&) = delete;
    KIVFileSource& operator=(const KIVFileSource&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) const override;

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::uint64_t size_ = 0;
};
