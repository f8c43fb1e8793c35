// ShortcutReport: stands between the shortcut steps and the setup's log. It
// passes every event on to the log (when there is one) and keeps, for the
// setup's own report, the links that were left out because their target
// was not installed.
#pragma once

#include "engine/InstallObserver.h"

#include <string>
#include <vector>

class ShortcutReport : public InstallObserver {
public:
    // next may be null: then only the left-out links are kept.
    explicit ShortcutReport(InstallObserver* next) : next_(next) {}

    void RegistryKeyWritten(const char* path, bool written) override;
    void SystemFileInstalled(const char* target, SystemFileAction action) override;
    void ReplacementScheduled(const char* inUse, const char* copy) override;
    void ProgramGroupMade(const char16_t* folder) override;
    void ShortcutMade(const char16_t* link, const char* target) override;
    void ShortcutLeftOut(const char16_t* link, const char* target) override;

    // One sentence (UTF-8) per link left out, in the order they came.
    const std::vector<std::string>& LeftOut() const { return leftOut_; }

private:
    InstallObserver* next_;
    std::vector<std::string> leftOut_;
};
