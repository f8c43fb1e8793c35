#include "toolkit/KIVRecentFiles.h"

#include "toolkit/KIVSystem.h"

#include <cstring>

namespace {

constexpr int kLineSize = 1040; // a path in the double-byte code page, and its line end

KIVString Lowered(const KIVString& path) {
    KIVString lowered = path;
    lowered.MakeLower();
    return lowered;
}

} // namespace

KIVRecentFiles::KIVRecentFiles(const KIVString& listFile) : listFile_(listFile) {
    FILE* file = KIVFileOpen(listFile_, "rb");
    if (!file)
        return;
    char line[kLineSize];
    while (std::fgets(line, sizeof line, file) && GetSize() < count_) {
        line[std::strcspn(line, "\r\n")] = 0;
        if (line[0])
            paths_.push_back(KIVString(line));
    }
    std::fclose(file);
}

KIVString KIVRecentFiles::GetAt(int entry) const {
    return entry >= 0 && entry < GetSize() ? paths_[static_cast<std::size_t>(entry)] : KIVString();
}

void KIVRecentFiles::Add(const KIVString& path) {
    const KIVString key = Lowered(path);
    for (auto it = paths_.begin(); it != paths_.end(); ++it)
        if (Lowered(*it) == key) {
            paths_.erase(it);
            break;
        }
    paths_.insert(paths_.begin(), path);
    if (GetSize() > count_)
        paths_.resize(static_cast<std::size_t>(count_));
    Write();
}

bool KIVRecentFiles::Change(int entry) {
    if (entry < 0 || entry >= GetSize())
        return false;
    Add(KIVString(paths_[static_cast<std::size_t>(entry)]));
    return true;
}

void KIVRecentFiles::SetCount(int count) {
    count_ = count < 1 ? 1 : count;
    if (GetSize() > count_)
        paths_.resize(static_cast<std::size_t>(count_));
    Write();
}

// A path the ANSI code page cannot spell is left out of the file rather than
// written as another path.
void KIVRecentFiles::Write() const {
    FILE* file = KIVFileOpen(listFile_, "wb");
    if (!file)
        return;
    char line[kLineSize];
    for (const KIVString& path : paths_)
        if (path.ToNarrow(line, sizeof line - 2))
            std::fprintf(file, "%s\r\n", line);
    std::fclose(file);
}
