#include "setup/ShortcutReport.h"

#include "setup/SetupLogText.h"

void ShortcutReport::RegistryKeyWritten(const char* path, bool written) {
    if (next_)
        next_->RegistryKeyWritten(path, written);
}

void ShortcutReport::SystemFileInstalled(const char* target, SystemFileAction action) {
    if (next_)
        next_->SystemFileInstalled(target, action);
}

void ShortcutReport::ReplacementScheduled(const char* inUse, const char* copy) {
    if (next_)
        next_->ReplacementScheduled(inUse, copy);
}

void ShortcutReport::ProgramGroupMade(const char16_t* folder) {
    if (next_)
        next_->ProgramGroupMade(folder);
}

void ShortcutReport::ShortcutMade(const char16_t* link, const char* target) {
    if (next_)
        next_->ShortcutMade(link, target);
}

void ShortcutReport::ShortcutLeftOut(const char16_t* link, const char* target) {
    if (next_)
        next_->ShortcutLeftOut(link, target);
    leftOut_.push_back("the shortcut " + LogTextFromWide(link) + " was left out: its target " +
                       LogTextFromAnsi(target) + " was not installed");
}
