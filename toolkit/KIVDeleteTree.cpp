#include "toolkit/KIVDeleteTree.h"

#include "toolkit/KIVFileFinder.h"
#include "toolkit/KIVStringArray.h"
#include "toolkit/KIVSystem.h"

namespace {

bool IsDotEntry(const KIVString& path, int folderLength) {
    KIVString name = path.Mid(folderLength);
    return name == u"." || name == u"..";
}

void Append(KIVStringArray& list, const KIVString& path) {
    int size = list.GetSize();
    if (list.SetSize(size + 1))
        list[size] = path;
}

} // namespace

int KIVDeleteTree(const char16_t* folder) {
    KIVString base(folder);
    KIVFileFinder finder(base + u"\\*");
    KIVStringArray files;
    KIVStringArray folders;
    KIVString path;
    bool isFolder = false;
    while (finder.Next(&path, &isFolder)) {
        if (IsDotEntry(path, base.GetLength() + 1))
            continue;
        // A symbolic link is removed as a link, whatever it points at: the
        // deletion must never reach outside the folder it empties.
        bool isLink = (finder.Attributes() & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (isFolder && !isLink) {
            KIVDeleteTree(path);
            Append(folders, path);
        } else {
            Append(files, path);
        }
    }
    finder.Close();
    for (int i = files.GetSize() - 1; i >= 0; --i)
        KIVDeleteFile(files[i]);
    for (int i = folders.GetSize() - 1; i >= 0; --i)
        KIVRemoveDirectory(folders[i]);
    return 1;
}

void KIVDeleteFolder(const char16_t* folder) {
    KIVDeleteTree(folder);
    KIVRemoveDirectory(folder);
}
