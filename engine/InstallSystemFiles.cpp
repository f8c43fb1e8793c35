#include "engine/InstallSystemFiles.h"

#include "engine/FileVersionOrder.h"
#include "engine/InstallJournal.h"
#include "engine/InstallObserver.h"
#include "engine/ReplacementCopy.h"
#include "engine/SharedDllCounts.h"
#include "engine/WininitRenames.h"
#include "platform/WinBase.h"
#include "toolkit/KIVAnsiName.h"
#include "toolkit/KIVSystem.h"

#include <string>
#include <utility>
#include <vector>

namespace {

bool FolderOfWindows(UINT (*get)(LPSTR, UINT), std::string* folder) {
    char buffer[MAX_PATH];
    UINT length = get(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    *folder = buffer;
    return true;
}

class SystemFileInstaller {
public:
    SystemFileInstaller(std::string systemFolder, bool* restartNeeded, InstallJournal* journal,
                        InstallObserver* observer)
        : systemFolder_(std::move(systemFolder)), restartNeeded_(restartNeeded), journal_(journal),
          observer_(observer) {}

    bool Install(const std::string& staged);
    const std::vector<WininitRename>& Renames() const { return renames_; }

private:
    bool Place(const std::string& staged, const std::string& target, SystemFileAction* action);
    bool Replace(const std::string& staged, const std::string& target, SystemFileAction* action);
    bool ReplaceOnNT(const std::string& staged, const std::string& target,
                     SystemFileAction* action);
    bool ReplaceOnOlderFamily(const std::string& staged, const std::string& target,
                              SystemFileAction* action);
    void Scheduled(const std::string& target, const std::string& copy, SystemFileAction* action) {
        if (restartNeeded_)
            *restartNeeded_ = true;
        if (observer_)
            observer_->ReplacementScheduled(target.c_str(), copy.c_str());
        *action = SystemFileAction::kScheduled;
    }

    std::string systemFolder_;
    bool* restartNeeded_;
    InstallJournal* journal_;
    InstallObserver* observer_;
    SharedDllCounts counts_;
    ReplacementCopies copies_;
    std::vector<WininitRename> renames_;
};

bool SystemFileInstaller::Install(const std::string& staged) {
    if (KIVAnsiName::LastSeparator(staged, KIVAnsiName::Separators::kBoth) == KIVAnsiName::npos)
        return false;
    const std::string target =
        KIVAnsiName::Join(systemFolder_, KIVAnsiName::Leaf(staged, KIVAnsiName::Separators::kBoth));
    SystemFileAction action = SystemFileAction::kFailed;
    const bool placed = Place(staged, target, &action);
    if (observer_)
        observer_->SystemFileInstalled(target.c_str(), placed ? action : SystemFileAction::kFailed);
    return placed;
}

bool SystemFileInstaller::Place(const std::string& staged, const std::string& target,
                                SystemFileAction* action) {
    OFSTRUCT unused;
    const bool exists = OpenFile(target.c_str(), &unused, OF_EXIST) != HFILE_ERROR;
    if (journal_)
        journal_->Shared(counts_.Count(target.c_str()), target.c_str());
    if (!(exists ? counts_.Raise(target.c_str()) : counts_.CountNewFile(target.c_str())))
        return false;
    FileVersionOrder order =
        exists ? CompareFileVersions(staged.c_str(), target.c_str()) : FileVersionOrder::kUnknown;
    *action = order == FileVersionOrder::kNotNewer ? SystemFileAction::kKept
              : order == FileVersionOrder::kNewer  ? SystemFileAction::kReplaced
                                                   : SystemFileAction::kCopied;
    if (order == FileVersionOrder::kNotNewer)
        return true;
    if (order == FileVersionOrder::kNewer)
        return Replace(staged, target, action);
    return CopyFileA(staged.c_str(), target.c_str(), FALSE) != FALSE;
}

bool SystemFileInstaller::Replace(const std::string& staged, const std::string& target,
                                  SystemFileAction* action) {
    return KIVIsWindowsNT() ? ReplaceOnNT(staged, target, action)
                            : ReplaceOnOlderFamily(staged, target, action);
}

// The staged file goes away with the staging folder, so the replacement at
// the next start is made from a copy beside the target; the scheduled move
// also removes that copy.
bool SystemFileInstaller::ReplaceOnNT(const std::string& staged, const std::string& target,
                                      SystemFileAction* action) {
    if (MoveFileExA(staged.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    std::string copy;
    if (!copies_.Make(staged.c_str(), target.c_str(), &copy))
        return false;
    if (!MoveFileExA(copy.c_str(), target.c_str(),
                     MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(copy.c_str());
        return false;
    }
    Scheduled(target, copy, action);
    return true;
}

bool SystemFileInstaller::ReplaceOnOlderFamily(const std::string& staged, const std::string& target,
                                               SystemFileAction* action) {
    if (CopyFileA(staged.c_str(), target.c_str(), FALSE))
        return true;
    std::string copy;
    if (!copies_.Make(staged.c_str(), target.c_str(), &copy))
        return false;
    renames_.push_back({copy, target});
    Scheduled(target, copy, action);
    return true;
}

} // namespace

bool InstallSystemFiles(const std::vector<std::string>& staged, bool* restartNeeded,
                        InstallJournal* journal, InstallObserver* observer) {
    if (restartNeeded)
        *restartNeeded = false;
    if (staged.empty())
        return true;
    std::string systemFolder, windowsFolder;
    if (!FolderOfWindows(GetSystemDirectoryA, &systemFolder) ||
        !FolderOfWindows(GetWindowsDirectoryA, &windowsFolder))
        return false;
    SystemFileInstaller installer(systemFolder, restartNeeded, journal, observer);
    bool installed = true;
    for (const std::string& path : staged)
        if (!(installed = installer.Install(path)))
            break;
    // The copies already made beside their targets are of no use without
    // their lines, so the lines are written even after a failure.
    if (!installer.Renames().empty() &&
        !AddWininitRenames(windowsFolder.c_str(), installer.Renames()))
        return false;
    if (!installed)
        return false;
    for (const std::string& path : staged)
        DeleteFileA(path.c_str());
    return true;
}
