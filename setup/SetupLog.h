// SetupLog: the install log, one JSON object per line in UTF-8, for the
// person who has to find out afterwards what a setup did. Every line holds
// "time" (UTC, ISO 8601 with milliseconds) first and "event" second, then
// the event's own fields:
//
//     start             program, medium, machine, language, options {name: value}
//     page-shown        page
//     page-left         page, result
//     message           text, answer
//     entry             label, folder, how ("packed" or "copied"), files, bytes
//     entry-failed      the same, and reason
//     entry-cancelled   the same as entry: what was written before the cancel
//     registry-key      key                 (registry-key-failed: the key that failed)
//     system-file       file, action ("copied", "replaced", "kept", "scheduled", "failed")
//     replacement       file (in use), copy (what replaces it at the next start)
//     program-group     folder
//     shortcut          link, target
//     shortcut-left-out link, target, reason ("target not installed")
//     end               code, result, and summary when there is one
//
// Each line is written and flushed with one call, under a lock: the install
// worker and the user-interface thread both write, and a setup that is
// killed leaves whole lines but for the last one at most. The worker logs
// once per install entry, key or system file, never per buffer.
//
// The log never holds what the user typed into the setup's fields, but for
// the user name and the company: the setup's callers pass no other typed
// text, and no event here has room for one.
//
// Calling any method on a log that is not open does nothing.
#pragma once

#include "engine/InstallObserver.h"

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// What one install entry wrote, for its entry line.
struct SetupLogEntry {
    std::string label;  // the entry's name in the description
    std::string folder; // the folder it went into (a Windows path)
    bool packed = false;
    int files = 0;
    std::int64_t bytes = 0;
};

class SetupLog : public InstallObserver {
public:
    SetupLog() = default;
    ~SetupLog() override;
    SetupLog(const SetupLog&) = delete;
    SetupLog& operator=(const SetupLog&) = delete;

    // Creates or truncates the log at a host path; false with *error set.
    bool Open(const std::string& hostPath, std::string* error);
    bool IsOpen() const;
    void Close();

    // "start": medium, machine root, language name, options (name, value).
    void Start(const std::string& program, const std::string& medium, const std::string& machine,
               const std::string& language,
               const std::vector<std::pair<std::string, std::string>>& options);
    void PageShown(const std::string& page);
    void PageLeft(const std::string& page, const std::string& result);
    void Message(const std::string& text, const std::string& answer);
    // "end": the result code (0, 3010, 1602, 1603), its word ("installed",
    // "restart-needed", "cancelled", "failed"), and on failure a
    // plain-language summary of what failed and what was left on the machine.
    void End(int code, const std::string& result, const std::string& summary);

    void EntryInstalled(const SetupLogEntry& entry);
    void EntryFailed(const SetupLogEntry& entry, const std::string& reason);
    void EntryCancelled(const SetupLogEntry& entry);

    // The engine's steps (InstallObserver); paths in the ANSI code page.
    void RegistryKeyWritten(const char* path, bool written) override;
    void SystemFileInstalled(const char* target, SystemFileAction action) override;
    void ReplacementScheduled(const char* inUse, const char* copy) override;
    void ProgramGroupMade(const char16_t* folder) override;
    void ShortcutMade(const char16_t* link, const char* target) override;
    void ShortcutLeftOut(const char16_t* link, const char* target) override;

private:
    void EntryLine(const char* event, const SetupLogEntry& entry, const std::string* reason);
    // Writes the line of event with its fields (JSON members, each led by
    // a comma) after the time.
    void Write(const char* event, const std::string& fields);

    mutable std::mutex lock_;
    std::FILE* file_ = nullptr;
};
