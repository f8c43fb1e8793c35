// InstallJournal: what an installation is about to make, written ahead of
// each step into "<installation folder>\.uninstallinfos.journal". The
// uninstall record is written only when the setup ends; a setup killed
// before that leaves files that nothing lists, but a journal: the
// uninstaller reads it as it reads the record.
//
// ANSI text, every line ending with CR LF; each line is handed to the system
// with one write before its step begins, so a killed setup leaves whole
// lines, and a step listed but never made is simply not found later:
//
//     kiv install journal 1
//     group <application name>     the program groups to look in
//     folder <path>                a folder about to be made
//     file <path>                  a file about to be made or replaced
//     key <key path>               a registry key about to be written
//     value <name>                 a value of the last key about to be set
//                                  (an empty name is the key's default value)
//     shared <count> <path>        a system file about to be installed, with
//                                  its SharedDLLs count before (0: none)
//
// At the orderly end, once the uninstall record is written, Settle keeps the
// key and value lines in "<folder>\.uninstallinfos.values" (the record names
// keys, not values: these tell the uninstaller which values are the
// product's) and removes the journal.
#pragma once

#include "platform/WinTypes.h"

#include <string>

class InstallJournal {
public:
    static constexpr const char* kHeader = "kiv install journal 1";
    static constexpr const char* kJournalName = ".uninstallinfos.journal";
    static constexpr const char* kValuesName = ".uninstallinfos.values";

    InstallJournal() = default;
    ~InstallJournal();
    InstallJournal(const InstallJournal&) = delete;
    InstallJournal& operator=(const InstallJournal&) = delete;

    // Opens the journal of the installation folder, which must exist. The
    // journal of an earlier setup that was killed is continued (its files
    // are still unlisted elsewhere), without a last line that was cut. False
    // when it can be neither opened nor made: the installation then has no
    // journal, and every call below does nothing.
    bool Open(const char16_t* installFolder, const char* applicationName);
    bool IsOpen() const { return file_ != nullptr; }

    void Folder(const char* path) { Line("folder ", path); }
    void Folder(const char16_t* path);
    void File(const char* path) { Line("file ", path); }
    void File(const char16_t* path);
    void Key(const char* path) { Line("key ", path); }
    void Value(const char* name) { Line("value ", name); }
    void Shared(unsigned long countBefore, const char* path);

    // The line File(path) writes, without writing it ("" when it would write
    // none), and lines made so handed to the system with one write: the
    // archive reader lists a batch of members ahead of making them.
    std::string FileLine(const char16_t* path) const;
    void WriteLines(const std::string& lines);

    // The orderly end: the key and value lines go to the values file
    // (written beside it and renamed into place), then the journal is closed
    // and removed. With keepValues false (an update writes no record) only
    // the journal is removed.
    void Settle(bool keepValues);
    // Whether Settle(true) keeps the values file (there are key lines and
    // the journal is open), or kept it: the record then lists the file.
    bool KeepsValues() const { return !registryLines_.empty() && (file_ || valuesKept_); }

private:
    void Line(const char* tag, const char* text);
    void Write(const std::string& line);
    bool ContinueEarlier(const std::string& path);

    HANDLE file_ = nullptr;
    std::string folder_; // the installation folder, ANSI
    std::string registryLines_;
    bool valuesKept_ = false;
};
