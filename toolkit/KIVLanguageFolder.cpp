#include "toolkit/KIVLanguageFolder.h"

#include "toolkit/KIVDeleteTree.h"
#include "toolkit/KIVFileFinder.h"
#include "toolkit/KIVSystem.h"

void KIVTakeLanguageFolder(const char16_t* programFolder, const char* languageName) {
    const KIVString languages = KIVString(programFolder) + u"Languages";
    KIVFileFinder finder(languages + u"\\" + KIVString(languageName) + u"\\*.*");
    KIVString path;
    bool isFolder = false;
    while (finder.Next(&path, &isFolder))
        if (!isFolder)
            KIVCopyFile(path, KIVString(programFolder) + path.Mid(path.ReverseFind('\\') + 1),
                        FALSE);
    KIVDeleteFolder(languages);
}
