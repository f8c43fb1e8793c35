#include "setup/SetupFolderProbe.h"

#include "engine/CreateFolderPath.h"
#include "setup/SetupInstallFolder.h"
#include "toolkit/KIVString.h"
#include "toolkit/KIVSystem.h"

#include <cstdint>
#include <cstdio>

bool ProbeFolder(const char16_t* folder) {
    std::string reason;
    if (!IsInstallFolderPath(folder, &reason))
        return false;
    CreateFolderPath(folder);
    KIVString path;
    path.Format(u"%s%chhjgt474kjnh774544hgghgg", folder, u'\\');
    FILE* file = KIVFileOpen(path, "wb");
    if (!file)
        return false;
    const std::uint32_t value = 0;
    const bool written = std::fwrite(&value, sizeof value, 1, file) == 1;
    const bool closed = std::fclose(file) == 0;
    KIVDeleteFile(path);
    return written && closed;
}
