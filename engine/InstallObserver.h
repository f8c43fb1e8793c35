// InstallObserver: told of what the engine's install steps made, one call per
// registry key, system file, replacement, program group and link (never per
// buffer or file written), so that a setup can keep a log of them. Paths are
// ANSI as the engine keeps them, or wide where the step has them wide. Every
// engine function takes it as an optional pointer: null tells nobody.
#pragma once

enum class SystemFileAction {
    kCopied,    // no older file with a version: the staged file was copied over
    kReplaced,  // the staged file's version is greater: it took the target's place
    kKept,      // the installed file's version is not older: it stays
    kScheduled, // the target is in use: a copy replaces it at the next start
    kFailed,    // the file could not be counted, copied or scheduled
};

class InstallObserver {
public:
    virtual ~InstallObserver() = default;

    // A key of the setup description, with its values, after it was written
    // (written true) or when writing it failed.
    virtual void RegistryKeyWritten(const char* path, bool written) = 0;
    // A staged system file and what became of it at target.
    virtual void SystemFileInstalled(const char* target, SystemFileAction action) = 0;
    // A copy beside a file in use, to replace it at the next start.
    virtual void ReplacementScheduled(const char* inUse, const char* copy) = 0;
    // A program group folder made (or found), and a link made in it or in
    // the Startup folder.
    virtual void ProgramGroupMade(const char16_t* folder) = 0;
    virtual void ShortcutMade(const char16_t* link, const char* target) = 0;
    // A link of the description not made because its target file was not
    // installed (a component that was not chosen).
    virtual void ShortcutLeftOut(const char16_t* link, const char* target) = 0;
};
