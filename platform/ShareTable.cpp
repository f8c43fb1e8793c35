#include "platform/ShareTable.h"

#include "platform/WinBase.h"

#include <mutex>
#include <sys/stat.h>
#include <vector>

namespace {

struct Open {
    ShareTable::FileId file;
    DWORD access;
    DWORD share;
};

std::mutex shareLock;
std::vector<Open>& Opens() {
    static auto* opens = new std::vector<Open>;
    return *opens;
}

bool Compatible(const Open& held, DWORD access, DWORD share) {
    if ((access & GENERIC_READ) && !(held.share & FILE_SHARE_READ))
        return false;
    if ((access & GENERIC_WRITE) && !(held.share & FILE_SHARE_WRITE))
        return false;
    if ((held.access & GENERIC_READ) && !(share & FILE_SHARE_READ))
        return false;
    if ((held.access & GENERIC_WRITE) && !(share & FILE_SHARE_WRITE))
        return false;
    return true;
}

bool AllowsLocked(const ShareTable::FileId& file, DWORD access, DWORD share) {
    for (const Open& held : Opens())
        if (held.file == file && !Compatible(held, access, share))
            return false;
    return true;
}

} // namespace

bool ShareTable::Acquire(const FileId& file, DWORD access, DWORD share) {
    std::lock_guard<std::mutex> lock(shareLock);
    if (!AllowsLocked(file, access, share))
        return false;
    Opens().push_back({file, access, share});
    return true;
}

void ShareTable::Release(const FileId& file, DWORD access, DWORD share) {
    std::lock_guard<std::mutex> lock(shareLock);
    auto& opens = Opens();
    for (auto it = opens.begin(); it != opens.end(); ++it)
        if (it->file == file && it->access == access && it->share == share) {
            opens.erase(it);
            return;
        }
}

bool ShareTable::Allows(const FileId& file, DWORD access, DWORD share) {
    std::lock_guard<std::mutex> lock(shareLock);
    return AllowsLocked(file, access, share);
}

bool ShareTable::AllowsDelete(const FileId& file) {
    std::lock_guard<std::mutex> lock(shareLock);
    for (const Open& held : Opens())
        if (held.file == file && !(held.share & FILE_SHARE_DELETE))
            return false;
    return true;
}

bool ShareTable::IdOf(const char* hostPath, FileId* id) {
    struct stat info;
    if (stat(hostPath, &info) != 0)
        return false;
    *id = {info.st_dev, info.st_ino};
    return true;
}
