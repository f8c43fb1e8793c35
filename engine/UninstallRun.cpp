#include "engine/UninstallRun.h"

#include "toolkit/KIVAnsiName.h"

void UninstallRun::Removed(const std::string& path, const std::string& note) {
    removedKeys_.insert(KIVAnsiName::Key(path));
    removed_.push_back({path, note});
}

void UninstallRun::Kept(const std::string& path, const std::string& note) {
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
