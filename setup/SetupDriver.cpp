#include "setup/SetupDriver.h"
#include "setup/SetupInstallFolder.h"

#include "engine/ProgramGroups.h"
#include "engine/StartupShortcut.h"
#include "engine/WriteUninstallRecord.h"
#include "setup/SetupLanguage.h"
#include "setup/SetupLog.h"
#include "setup/SetupTexts.h"
#include "setup/ShortcutReport.h"
#include "toolkit/KIVDeleteTree.h"
#include "toolkit/KIVSystem.h"

#include "platform/Windows.h"

#include <algorithm>
#include <strings.h>

bool SetupDriver::Begin(const char16_t* programPath, std::int32_t language) {
    if (!SetProgramPath(state, programPath))
        return Fail(SetupStep::kProgramPath, u"The program's path has no folder or no extension.");
    char windows[MAX_PATH];
    if (GetWindowsDirectoryA(windows, MAX_PATH))
        KIVDeleteFile(KIVString(windows) + u"\\aepf.ini");
    if (language) {
        state.currentLanguage = language;
        SetLanguagePaths(state, language);
        if (CheckLanguage(state))
            return true;
    }
    if (!ChooseStartLanguage(state))
        return Fail(SetupStep::kLanguage, u"No language folder of the setup can be read.");
    return true;
}

bool SetupDriver::Fail(SetupStep step, const KIVString& message) {
    failedStep_ = step;
    failure_ = message;
    return false;
}

bool SetupDriver::ChooseSetupType(std::int32_t number) {
    state.setupTypeNumber = number;
    SelectSetupType(state, number);
    return state.chosenSetupType != nullptr;
}

bool SetupDriver::SelectComponents(const std::vector<std::string>& names, std::string* unknown) {
    if (!state.chosenSetupType)
        return false;
    std::vector<Component*>& components = state.chosenSetupType->components;
    for (const std::string& name : names) {
        bool found = false;
        for (const Component* component : components)
            found = found || strcasecmp(component->name, name.c_str()) == 0;
        if (!found) {
            *unknown = name;
            return false;
        }
    }
    for (Component* component : components) {
        component->selected = false;
        for (const std::string& name : names)
            component->selected =
                component->selected || strcasecmp(component->name, name.c_str()) == 0;
    }
    state.requiredSize = ComputeSetupTypeSize(state, *state.chosenSetupType);
    return true;
}

// Runs the install procedure on the calling thread. A command-line install
// has no page to keep drawing, so it needs neither the worker thread, whose
// start waits 100 ms, nor the page's 10 ms polling; the progress page runs
// the same procedure on its worker.
std::int32_t SetupDriver::RunInstallation(ZipageBytesCallback onBytes, ZipageNameCallback onName) {
    PrepareInstallation();
    worker.finished.store(0);
    InstallProcedure(onBytes, onName);
    return worker.resultCode.load();
}

// A folder that no setup may use (one that came from the registry or an
// earlier installation, which no page checked) is refused here, before the
// installation folder or the journal is made.
void SetupDriver::PrepareInstallation() {
    began_ = true;
    zip.SetVolumeFallback(&state.description.volumes, stagingFolder + u"\\Archives");
    folderRefusal_.clear();
    if (IsInstallFolderPath(state.variables.installDst, &folderRefusal_))
        OpenJournal();
}

bool SetupDriver::WriteRegistryOnly() {
    began_ = true;
    if (!state.description.OptionFlag(kOptionUserInformationPage) || WriteKeys())
        return true;
    // No worker runs in this mode: its result is kept as the worker's, so
    // that FailureSummary can tell what failed.
    worker.Finish(kInstallRegistryFailed, SetupText(kTextRegistryFailed));
    return false;
}

bool SetupDriver::MakeProgramGroups() {
    const SetupDescription& d = state.description;
    if (!d.OptionFlag(kOptionCreateProgramGroup))
        return true;
    ShortcutReport report(log);
    const bool made = CreateProgramGroups(
        {d.shortcuts, state.variables.installDst, d.applicationName, &journal, &report});
    NoteLeftOut(report);
    return made;
}

// The product's program is EXENAME's, which a read-back may have replaced
// with the name an earlier installation wrote.
bool SetupDriver::MakeStartupShortcut() {
    char exeName[MAX_PATH * 2];
    if (!state.variables.exeName.ToNarrow(exeName, sizeof exeName))
        return false;
    ShortcutReport report(log);
    const bool made =
        CreateStartupShortcut(state.variables.installDst, exeName, lists.files, &journal, &report);
    NoteLeftOut(report);
    return made;
}

// A link left out in both Programs groups is told once.
void SetupDriver::NoteLeftOut(const ShortcutReport& report) {
    for (const std::string& sentence : report.LeftOut())
        if (std::find(shortcutsLeftOut.begin(), shortcutsLeftOut.end(), sentence) ==
            shortcutsLeftOut.end())
            shortcutsLeftOut.push_back(sentence);
}

// The journal is settled last: a setup killed while it removes its staging
// folder still leaves the journal that lists what is left of it.
void SetupDriver::Shutdown() {
    const SetupDescription& d = state.description;
    UninstallRecordResult record = UninstallRecordResult::Failed;
    if (!state.variables.installDst.IsEmpty())
        record = WriteUninstallRecord({state.variables.installDst, lists, d.extraUninstallPaths,
                                       d.applicationName, d.OptionFlag(kOptionUpdateMode),
                                       journal.KeepsValues()});
    zip.CloseVolumes();
    if (!stagingFolder.IsEmpty())
        KIVDeleteFolder(stagingFolder);
    if (record != UninstallRecordResult::Failed)
        journal.Settle(record == UninstallRecordResult::Written);
}
