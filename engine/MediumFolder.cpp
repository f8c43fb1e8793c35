#include "engine/MediumFolder.h"

#include "platform/Windows.h"
#include "toolkit/KIVFileFinder.h"

#include <vector>

namespace {

enum class PathState { kMissing, kPlain, kLink };

// Listed, not opened: the listing tells a link from what it leads to.
PathState StateOf(const char16_t* path) {
    KIVFileFinder finder(path);
    if (!finder.Next(nullptr, nullptr))
        return PathState::kMissing;
    return (finder.Attributes() & FILE_ATTRIBUTE_REPARSE_POINT) ? PathState::kLink
                                                                : PathState::kPlain;
}

// The path with every link on its way resolved ("\\?\C:\folder\file");
// false when it leads nowhere the platform can open.
bool FinalPathOf(const char16_t* path, KIVString* finalPath) {
    HANDLE file = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char16_t> buffer(MAX_PATH);
    DWORD length = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                             VOLUME_NAME_DOS);
    if (length >= buffer.size()) {
        buffer.resize(length);
        length = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                           VOLUME_NAME_DOS);
    }
    CloseHandle(file);
    if (length == 0 || length >= buffer.size())
        return false;
    *finalPath = KIVString(buffer.data());
    return true;
}

// Final paths keep the names as they are on the disk: compared exactly.
bool IsWithin(const KIVString& path, const KIVString& folder) {
    const int length = folder.GetLength();
    if (path.GetLength() < length || path.Left(length) != folder)
        return false;
    return path.GetLength() == length || folder[length - 1] == u'\\' || path[length] == u'\\';
}

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

} // namespace

MediumFolder::MediumFolder(const char16_t* folder) : folder_(folder ? folder : u"") {}

bool MediumFolder::LeadsInside(const char16_t* path) {
    if (finalFolder_.IsEmpty() && !FinalPathOf(folder_, &finalFolder_))
        return false;
    KIVString target;
    return FinalPathOf(path, &target) && IsWithin(target, finalFolder_);
}

bool MediumFolder::Follows(const char16_t* link) {
    if (LeadsInside(link))
        return true;
    outsideLink_ = KIVString(link);
    return false;
}

bool MediumFolder::FollowsLinksDownTo(const char16_t* folder) {
    const KIVString path(folder);
    const int top = folder_.GetLength();
    if (path.GetLength() <= top || path.Left(top).CompareNoCase(folder_) != 0 ||
        !IsSeparator(path[top]))
        return true;
    for (int end = top + 1; end <= path.GetLength(); ++end) {
        if (end < path.GetLength() && !IsSeparator(path[end]))
            continue;
        const KIVString component = path.Left(end);
        const PathState state = StateOf(component);
        if (state == PathState::kMissing)
            return true;
        if (state == PathState::kLink && !Follows(component))
            return false;
    }
    return true;
}
