// An open file: a host file descriptor with the access it was opened with.
// Its share mode is held as a lock on the descriptor's file description (see
// ShareTable), which goes when the descriptor is closed. Internal to the
// platform layer.
#pragma once

#include "platform/KernelObject.h"
#include "platform/WinBase.h"

#include <string>

class FileObject : public KernelObject {
public:
    // Opens hostPath as CreateFile does; null with the last error set on
    // failure. On success the last error tells whether the file existed
    // (ERROR_ALREADY_EXISTS) for CREATE_ALWAYS and OPEN_ALWAYS.
    static std::shared_ptr<FileObject> Open(const std::string& hostPath, DWORD access, DWORD share,
                                            DWORD disposition, DWORD attributes);
    ~FileObject() override;

    int Descriptor() const { return fd_; }
    DWORD Access() const { return access_; }
    const std::string& HostPath() const { return hostPath_; }

    FileObject(int fd, const std::string& hostPath, DWORD access);

private:
    int fd_;
    std::string hostPath_;
    DWORD access_;
};
