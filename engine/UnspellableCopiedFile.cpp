#include "engine/UnspellableCopiedFile.h"

#include "engine/SpellableName.h"
#include "toolkit/KIVFileFinder.h"

namespace {

bool LeadsToFolder(const char16_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsCopied(const InstallEntry& entry, const KIVString& name) {
    bool listed = false;
    for (const std::string& wanted : entry.names)
        listed = listed || name.CompareNoCase(KIVString(wanted.c_str())) == 0;
    return listed == entry.listMode;
}

bool IsSpellable(const KIVString& name) {
    return name.Find(u'?') < 0 && IsSpellableWideName(CP_ACP, name);
}

} // namespace

KIVString FindUnspellableCopiedFile(const InstallEntry& entry, const char16_t* sourceFolder) {
    KIVFileFinder finder(KIVString(sourceFolder) + u"\\*");
    KIVString path;
    bool isFolder = false;
    const int folderLength = KIVString(sourceFolder).GetLength() + 1;
    while (finder.Next(&path, &isFolder)) {
        const KIVString name = path.Mid(folderLength);
        if (isFolder || LeadsToFolder(path) || !IsCopied(entry, name))
            continue;
        if (!IsSpellable(name))
            return name;
    }
    return KIVString();
}
