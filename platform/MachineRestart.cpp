// The restart of the emulated machine: the replacements of WININIT.INI, then
// those of PendingFileRenameOperations, each through the Win32 calls of the
// layer; and ExitWindowsEx, which runs them.
#include "platform/MachineRestart.h"

#include "platform/HostText.h"
#include "platform/Machine.h"
#include "platform/PathMap.h"
#include "platform/PendingRenames.h"
#include "platform/ProcessToken.h"
#include "platform/WininitRenameLines.h"

#include <fstream>
#include <strings.h>

namespace {

using Origin = RestartStep::Origin;

BOOL Delete(const std::u16string& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return RemoveDirectoryW(path.c_str());
    return DeleteFileW(path.c_str());
}

struct Outcome {
    std::vector<RestartStep>* steps;
    std::vector<RestartStep>* skipped;
};

// ERROR_ACCESS_DENIED when a path of a replacement leads off the machine's
// drives (Z:, or out of drive C: through a link). A path that cannot be
// mapped at all is left to the call, which fails with the mapping's error.
DWORD MachinePathError(const std::string& windowsPath) {
    std::string host;
    unsigned error = 0;
    if (!PathMap::ToHost(windowsPath, &host, &error, DriveConfinement::LastLink::Itself))
        return error == ERROR_ACCESS_DENIED ? DWORD{ERROR_ACCESS_DENIED} : DWORD{ERROR_SUCCESS};
    return PathMap::OnMachineDrive(host) ? DWORD{ERROR_SUCCESS} : DWORD{ERROR_ACCESS_DENIED};
}

// Carries out one replacement (target empty: a deletion) and records it; one
// that names a path off the machine is only recorded as skipped.
void Apply(Origin origin, const std::string& source, const std::string& target, bool replace,
           const Outcome& outcome) {
    DWORD refusal = MachinePathError(source);
    if (refusal == ERROR_SUCCESS && !target.empty())
        refusal = MachinePathError(target);
    if (refusal != ERROR_SUCCESS) {
        if (outcome.skipped)
            outcome.skipped->push_back({origin, source, target, refusal});
        return;
    }
    std::vector<RestartStep>* steps = outcome.steps;
    std::u16string from = HostText::ToWide(source), to = HostText::ToWide(target);
    DWORD flags = MOVEFILE_COPY_ALLOWED | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    BOOL done = target.empty() ? Delete(from) : MoveFileExW(from.c_str(), to.c_str(), flags);
    steps->push_back({origin, source, target, done ? DWORD{ERROR_SUCCESS} : GetLastError()});
}

void RunWininit(const Outcome& outcome) {
    std::string file = MachineFolders::Windows() + "\\WININIT.INI", host;
    unsigned error = 0;
    if (!PathMap::ToHost(file, &host, &error))
        return;
    std::ifstream in(host, std::ios::binary);
    if (!in)
        return;
    for (const auto& [target, source] : WininitRenameLines(in)) {
        bool deletion = strcasecmp(target.c_str(), "NUL") == 0;
        Apply(Origin::WininitIni, source, deletion ? "" : target, true, outcome);
    }
    in.close();
    Apply(Origin::WininitIni, file, MachineFolders::Windows() + "\\WININIT.BAK", true, outcome);
}

} // namespace

DWORD MachineRestart(std::vector<RestartStep>* steps, std::vector<RestartStep>* skipped) {
    const Outcome outcome{steps, skipped};
    RunWininit(outcome);
    return PendingRenames::Run([outcome, steps](const PendingRename& rename) {
        std::string source = HostText::FromAnsi(rename.source.c_str());
        std::string target = HostText::FromAnsi(rename.target.c_str());
        if (rename.valid)
            Apply(Origin::PendingRenames, source, target, rename.replace, outcome);
        else
            steps->push_back({Origin::PendingRenames, source, target, DWORD{ERROR_INVALID_NAME}});
    });
}

BOOL ExitWindowsEx(UINT uFlags, DWORD) {
    if ((uFlags & (EWX_SHUTDOWN | EWX_REBOOT | EWX_POWEROFF)) == 0)
        return TRUE; // a log-off: nothing here to end
    if (!ProcessToken::Enabled({ProcessToken::kShutdownLuid, 0})) {
        SetLastError(ERROR_PRIVILEGE_NOT_HELD);
        return FALSE;
    }
    std::vector<RestartStep> steps;
    MachineRestart(&steps);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
