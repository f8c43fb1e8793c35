// The state of one uninstallation that its steps share: whether it only
// tells what would go (a dry run), what went or would go, and what stays
// and why. Paths are compared as the machine does, without regard to case
// and with a doubled backslash taken as one (KIVAnsiName::Key).
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

struct UninstallItem {
    std::string path; // ANSI, as a Windows path or a registry key path
    std::string note; // for a kept item, why it stays
};

class UninstallRun {
public:
    explicit UninstallRun(bool dryRun) : dryRun_(dryRun) {}

    bool DryRun() const { return dryRun_; }

    void Removed(const std::string& path, const std::string& note = std::string());
    // Once per path: a later reason for a path already kept is dropped.
    void Kept(const std::string& path, const std::string& note);
    // A removal the machine refused: kept, and the run is incomplete, so the
    // record stays for another run.
    void Failed(const std::string& path, const std::string& what, unsigned long error);
    // A line of the record (or journal) that names a place this product
    // could not have put anything: never removed, and the record stays.
    void Refused(const std::string& path, const std::string& reason);

    bool IsRemoved(std::string_view path) const;
    bool Incomplete() const { return incomplete_ || refused_; }
    bool RefusedLines() const { return refused_; }
    const std::vector<UninstallItem>& RemovedItems() const { return removed_; }
    const std::vector<UninstallItem>& KeptItems() const { return kept_; }

private:
    bool dryRun_;
    bool incomplete_ = false;
    bool refused_ = false;
    std::set<std::string> removedKeys_;
    std::set<std::string> keptKeys_;
    std::vector<UninstallItem> removed_;
    std::vector<UninstallItem> kept_;
};
