// The start-up steps of SetupDriver that show no page, in the flow's order.
#include "engine/CreateFolderPath.h"
#include "engine/RelativeFolder.h"
#include "setup/SetupDriver.h"
#include "setup/SetupLanguage.h"
#include "setup/SetupReadBack.h"
#include "setup/SetupTexts.h"
#include "toolkit/KIVDeleteTree.h"
#include "toolkit/KIVRegistry.h"
#include "toolkit/KIVSystem.h"

#include "platform/Windows.h"

#include <cstdio>
#include <cstring>

namespace {

// A registry text value of at most 260 bytes, or false.
bool QueryText(HKEY key, const char* name, KIVString* value) {
    char data[260];
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    data[size < sizeof data ? size : sizeof data - 1] = '\0';
    *value = KIVString(data);
    return true;
}

// The first line of a text file, without its line end; false when the file
// does not open or has no line.
bool FirstLine(const KIVString& path, KIVString* line) {
    std::FILE* file = KIVFileOpen(path, "rt");
    if (!file)
        return false;
    char text[260];
    bool read = std::fgets(text, sizeof text, file) != nullptr;
    std::fclose(file);
    if (!read)
        return false;
    text[std::strcspn(text, "\r\n")] = '\0';
    *line = KIVString(text);
    return true;
}

bool FileExists(const KIVString& path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

bool SetupDriver::StartUp() {
    if (!TakeInstallMutex() || !PrepareStaging() || !UnpackSetupFiles() || !CheckRegistryAccess() ||
        !LoadDescription())
        return false;
    TakeLanguages();
    TakeDescriptionValues(state);
    if (!ReadPreviousInstallation())
        SetDefaultInstallFolder();
    ReadRegisteredUser();
    if (state.description.OptionFlag(kOptionReadBack))
        ReadBackSetupVariables(state);
    zip.SetMultiVolume(state.description.multiVolume);
    state.requiredSize = state.description.TotalInstallSize();
    return true;
}

// One installation at a time: they share the staging folder, the system
// folder and its counts.
bool SetupDriver::TakeInstallMutex() {
    switch (installMutex_.Acquire()) {
    case InstallMutex::kHeld:
        return true;
    case InstallMutex::kBusy:
        return Fail(SetupStep::kBusy, u"Another installation is in progress. Start the setup "
                                      u"again when it has finished.");
    case InstallMutex::kFailed:
        break;
    }
    return Fail(SetupStep::kLock, u"The machine's installation lock cannot be made.");
}

// The Windows folder, and the staging folder in the temporary folder with
// its "Archives" folder (the fallback of numbered volumes).
bool SetupDriver::PrepareStaging() {
    char windows[MAX_PATH];
    char temporary[MAX_PATH];
    if (!GetWindowsDirectoryA(windows, MAX_PATH) || !GetTempPathA(MAX_PATH, temporary))
        return Fail(SetupStep::kArchive, u"Can't open an archive file.");
    windowsFolder = KIVString(windows);
    stagingFolder = KIVString(temporary) + u"TemporaryFiles";
    installFilesFolder = stagingFolder + u"\\InstallFiles";
    RemoveStagingLeftovers();
    CreateFolderPath(stagingFolder + u"\\Archives");
    return true;
}

// A staging folder that is there already was left by a setup that was
// killed (the installation lock says that none runs now), or planted: none
// of it is this setup's. It goes first: a link in its place or in it is
// removed as a link, never followed. What the earlier setup made stays
// listed in the journal of its installation folder, whose uninstallation
// removes the rest.
void SetupDriver::RemoveStagingLeftovers() {
    DeleteFileW(stagingFolder);
    KIVDeleteFolder(stagingFolder);
}

bool SetupDriver::UnpackSetupFiles() {
    if (zip.OpenArchive(state.setupFilesFolder, state.setupFilesFolder, u"archive", false) != 0)
        return Fail(SetupStep::kArchive, u"Can't open an archive file.");
    worker.cancelRequested.store(0);
    worker.questionOpen.store(0);
    if (zip.ExtractPackage(installFilesFolder, zip.ReadSetupPackageOffset(), nullptr, nullptr,
                           &worker.cancelRequested, &worker.questionOpen, nullptr, 0) != 0)
        return Fail(SetupStep::kSetupPackage, u"Can't extract install files.");
    return true;
}

bool SetupDriver::CheckRegistryAccess() {
    HKEY key = nullptr;
    if (KIVRegOpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_WRITE, &key, nullptr) != ERROR_SUCCESS)
        return Fail(SetupStep::kRegistry, SetupText(kTextRegistryFailed));
    KIVRegCloseKey(key, nullptr);
    return true;
}

bool SetupDriver::LoadDescription() {
    KIVString path = installFilesFolder + u"\\config.ini";
    WideCharToMultiByte(CP_ACP, 0, path, -1, state.description.filePath,
                        sizeof state.description.filePath, nullptr, nullptr);
    if (!LoadSetupDescription(state.description) || !EntriesStayInside(state.description)) {
        LogSetupDescriptionError(state.description.error);
        return Fail(SetupStep::kDescription, u"Can't load config file.");
    }
    return true;
}

// An install entry whose destination would leave the installation (or
// staging) folder is refused before anything is installed: a hostile medium
// could otherwise put files anywhere on the machine.
bool SetupDriver::EntriesStayInside(SetupDescription& d) {
    for (const auto& entry : d.installEntries)
        if (!StaysInsideFolder(entry->destinationFolder)) {
            d.error.line = 0;
            d.error.reason = std::string("install entry \"") + entry->entryName +
                             "\": the destination folder \"" + entry->destinationFolder +
                             "\" leaves the installation folder (a drive, a leading "
                             "backslash or a \"..\" component)";
            return false;
        }
    return true;
}

// Drops the languages whose folders are not usable. A current language that
// the product does not offer gives way to English, else to the first one it
// offers.
void SetupDriver::TakeLanguages() {
    ReduceAvailableLanguages(state);
    const std::int32_t offered = state.description.availableLanguages;
    if (offered == 0 || (offered & state.currentLanguage))
        return;
    std::int32_t language = offered & kLanguageEnglish ? kLanguageEnglish : offered & -offered;
    state.currentLanguage = language;
    SetLanguagePaths(state, language);
}

// Update mode: the folder of the earlier installation, from the first line of
// the previous-installation file in the Windows folder. True when that folder
// still holds the product's program, so that no default folder is needed.
bool SetupDriver::ReadPreviousInstallation() {
    const SetupDescription& d = state.description;
    if (!d.OptionFlag(kOptionUpdateMode))
        return false;
    KIVString folder;
    if (!FirstLine(windowsFolder + u"\\" + KIVString(d.OptionText(kOptionPreviousInstallFile)),
                   &folder))
        return false;
    state.variables.installDst = folder;
    return FileExists(folder + u"\\" + state.variables.exeName + u".exe");
}

void SetupDriver::SetDefaultInstallFolder() {
    KIVString programFiles(u"C:\\Program Files");
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        KIVString value;
        if (QueryText(key, "ProgramFilesDir", &value))
            programFiles = value;
        RegCloseKey(key);
    }
    defaultBaseFolder = programFiles + u"\\Kiv software";
    state.variables.installDst = defaultBaseFolder + u"\\" + state.applicationName;
}

void SetupDriver::ReadRegisteredUser() {
    const char* path = KIVIsWindowsNT() ? "Software\\Microsoft\\Windows NT\\CurrentVersion"
                                        : "Software\\Microsoft\\Windows\\CurrentVersion";
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    QueryText(key, "RegisteredOwner", &state.variables.userName);
    QueryText(key, "RegisteredOrganization", &state.variables.company);
    RegCloseKey(key);
}
