// System information from the machine settings: version, language and the Windows, system and temporary folders.
#include "platform/HostText.h"
#include "platform/Machine.h"
#include "platform/WinBase.h"

namespace {
const MachineSettings& Settings() {
    return Machine::Current().Settings();
}
} // namespace

// Windows XP (5.1, build 2600) for the NT family; Windows 98 (4.10) for the
// older family, whose high bit is set and whose high word carries no build.
DWORD GetVersion() {
    if (Settings().family == PlatformFamily::NT)
        return 0x0A280105u;
    return 0xC0000A04u;
}

LANGID GetUserDefaultLangID() {
    return static_cast<LANGID>(Settings().languageId);
}

UINT GetWindowsDirectoryW(LPWSTR lpBuffer, UINT uSize) {
    return HostText::ReturnW(MachineFolders::Windows(), lpBuffer, uSize);
}

UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
    return HostText::ReturnA(MachineFolders::Windows(), lpBuffer, uSize);
}

UINT GetSystemDirectoryW(LPWSTR lpBuffer, UINT uSize) {
    return HostText::ReturnW(MachineFolders::System(), lpBuffer, uSize);
}

UINT GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize) {
    return HostText::ReturnA(MachineFolders::System(), lpBuffer, uSize);
}

DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer) {
    return HostText::ReturnW(MachineFolders::Temp() + "\\", lpBuffer, nBufferLength);
}

DWORD GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer) {
    return HostText::ReturnA(MachineFolders::Temp() + "\\", lpBuffer, nBufferLength);
}
