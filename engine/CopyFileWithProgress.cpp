#include "engine/CopyFileWithProgress.h"

#include "engine/InstallFlags.h"
#include "toolkit/KIVFileStream.h"

#include <memory>
#include <new>

namespace {

constexpr int kChunkSize = 262144;

// Reads the next chunk. A read that stops short is the end of the file when
// the platform reports no error; the stream's own end flag cannot tell the
// two apart, since a failed read sets it too.
bool ReadChunk(KIVFileStream& source, char* buffer, int* got) {
    SetLastError(ERROR_SUCCESS);
    *got = source.Read(buffer, kChunkSize);
    return *got == kChunkSize || GetLastError() == ERROR_SUCCESS;
}

} // namespace

bool CopyFileWithProgress(const char16_t* sourcePath, const char16_t* destPath,
                          std::int64_t* copiedBytes, ZipageBytesCallback onBytes,
                          const std::atomic<unsigned char>* cancelFlag,
                          const std::atomic<unsigned char>* pauseFlag) {
    std::int64_t copied = 0;
    if (copiedBytes)
        *copiedBytes = 0;
    KIVFileStream source, dest;
    if (!source.Open(KIVFileStream::kRawRead, sourcePath, 0) ||
        !dest.Open(KIVFileStream::kRawWrite, destPath, 0))
        return false;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[kChunkSize]);
    if (!buffer)
        return false;
    for (;;) {
        WaitWhileInstallPaused(pauseFlag);
        if (IsInstallFlagSet(cancelFlag))
            return true;
        int got = 0;
        if (!ReadChunk(source, buffer.get(), &got))
            return false;
        if (got > 0 && dest.Write(buffer.get(), got) != got)
            return false;
        if (got > 0 && onBytes)
            onBytes(got);
        copied += got;
        if (copiedBytes)
            *copiedBytes = copied;
        if (got < kChunkSize)
            return true;
    }
}
