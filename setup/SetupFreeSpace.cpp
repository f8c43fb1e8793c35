#include "setup/SetupFreeSpace.h"

#include "toolkit/KIVString.h"
#include "toolkit/KIVSystem.h"

bool FreeSpaceOf(const char16_t* folder, double* bytes) {
    KIVString path(folder);
    while (!path.IsEmpty()) {
        DWORD sectors = 0, sectorBytes = 0, freeUnits = 0;
        if (KIVGetDiskFreeSpace(path, &sectors, &sectorBytes, &freeUnits, nullptr)) {
            *bytes = static_cast<double>(freeUnits) * 1024.0;
            return true;
        }
        const int slash = path.ReverseFind('\\');
        if (slash < 0)
            return false;
        path = path.Left(slash);
    }
    return false;
}
