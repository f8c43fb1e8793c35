// The state of one uninstallation that its steps share: whether it only
// tells what would go (a dry run), what went or would go, and what stays
// and why. Paths are compared as the machine does, without regard to case
// and with a doubled backslash taken as one.
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

    // A path with single backslashes and no trailing one (but "C:\\").
    static std::string Normal(std::string_view path);
    // The form paths are compared in: upper case, single backslashes, no
    // trailing backslash.
    static std::string Key(std::string_view path);
    // Whether path is folder or lies inside it, compared by Key.
    static bool IsInside(std::string_view path, std::string_view folder);
    // The folder of a path: everything before its last separator; empty for
    // a path with none, or a drive's root folder.
    static std::string Parent(std::string_view path);
    // The offset of the last backslash of a path, npos when it has none.
    // Paths are ANSI text of the machine's code page, walked by characters:
    // the trail byte of a double-byte character is never a separator.
    static std::size_t LastSeparator(std::string_view path);

private:
    bool dryRun_;
    bool incomplete_ = false;
    bool refused_ = false;
    std::set<std::string> removedKeys_;
    std::set<std::string> keptKeys_;
    std::vector<UninstallItem> removed_;
    std::vector<UninstallItem> kept_;
};
