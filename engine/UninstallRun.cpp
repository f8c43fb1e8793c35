#include "engine/UninstallRun.h"

#include "toolkit/KIVAnsiName.h"

void UninstallRun::Removed(const std::string& path, const std::string& note) {
    removedKeys_.insert(KIVAnsiName::Key(path));
    removed_.push_back({path, note});
}

// An item stays for one reason: the first step that keeps it says why (a
// file that failed to go is not also "not installed" when its folder stays).
void UninstallRun::Kept(const std::string& path, const std::string& note) {
    if (keptKeys_.insert(KIVAnsiName::Key(path)).second)
        kept_.push_back({path, note});
}

void UninstallRun::Failed(const std::string& path, const std::string& what, unsigned long error) {
    incomplete_ = true;
    Kept(path, what + " failed (error " + std::to_string(error) + ")");
}

void UninstallRun::Refused(const std::string& path, const std::string& reason) {
    refused_ = true;
    Kept(path, "refused: " + reason);
}

bool UninstallRun::IsRemoved(std::string_view path) const {
    return removedKeys_.count(KIVAnsiName::Key(path)) != 0;
}
