// Every text of the description, and every field read as a number. A quoted
// text may hold any byte, but a control byte in a name, path or value is a
// mistake of the tool or editor that wrote the file; a number field holding
// anything but digits is read as something the vendor did not write.
#include "tools/kivtool/ConfigCheck.h"

#include "setup/SetupDescriptionReader.h"

#include <cstdio>

namespace {

// Reports the first control byte of text; CR and LF too unless allowed.
void CheckText(ConfigProblems& problems, int line, const std::string& what, std::string_view text,
               bool allowLineBreaks = false) {
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c < 32 || c == 127) && !(allowLineBreaks && (c == '\r' || c == '\n'))) {
            char byte[8];
            std::snprintf(byte, sizeof byte, "0x%02X", c);
            problems.Error(line, what + " " + Quoted(text) + " holds the control byte " + byte);
            return;
        }
    }
}

void ScanHeader(const SetupDescription& d, ConfigProblems& problems) {
    const int* line = d.sourceLines.header;
    CheckText(problems, line[1], "the format version", d.formatVersion);
    CheckText(problems, line[6], "the agreement file name", d.agreementFileName);
    CheckText(problems, line[7], "the application name", d.applicationName);
    CheckText(problems, line[8], "the long application name", d.longApplicationName);
    CheckText(problems, line[9], "the program file base name", d.programFileBaseName);
    CheckText(problems, line[10], "the version text", d.versionText);
}

void ScanRecords(const SetupDescription& d, ConfigProblems& problems) {
    for (std::size_t i = 0; i < d.installEntries.size(); ++i) {
        const InstallEntry& e = *d.installEntries[i];
        const SetupEntryLines& lines = d.sourceLines.entries[i];
        CheckText(problems, lines.entryLine, "the entry name", e.entryName);
        CheckText(problems, lines.entryLine, "the destination folder", e.destinationFolder);
        CheckText(problems, lines.entryLine, "the source folder", e.sourceFolder);
        // The format writes line breaks in names as the bytes 14 and 11.
        for (const std::string& name : e.names)
            CheckText(problems, lines.nameListLine, "the name", name, true);
    }
    for (std::size_t i = 0; i < d.components.size(); ++i) {
        CheckText(problems, d.sourceLines.components[i], "the component name",
                  d.components[i]->name);
        CheckText(problems, d.sourceLines.components[i], "the registry file name",
                  d.components[i]->registryFileName);
    }
    for (std::size_t i = 0; i < d.setupTypes.size(); ++i)
        CheckText(problems, d.sourceLines.setupTypes[i], "the setup type name",
                  d.setupTypes[i]->name);
    for (std::size_t i = 0; i < d.shortcuts.size(); ++i) {
        CheckText(problems, d.sourceLines.shortcuts[i], "the target file",
                  d.shortcuts[i].targetFile);
        CheckText(problems, d.sourceLines.shortcuts[i], "the shortcut name",
                  d.shortcuts[i].shortcutName);
    }
    for (const std::string& path : d.extraUninstallPaths)
        CheckText(problems, 0, "the extra uninstall path", path);
}

void ScanRegistryAndOptions(const SetupDescription& d, ConfigProblems& problems) {
    for (std::size_t i = 0; i < d.registryKeys.size(); ++i) {
        const RegistryKeyRecord& key = d.registryKeys[i];
        const SetupKeyLines& lines = d.sourceLines.registryKeys[i];
        CheckText(problems, lines.keyLine, "the key path", key.keyPath);
        for (std::size_t v = 0; v < key.values.size(); ++v) {
            CheckText(problems, lines.valueLines[v], "the value name", key.values[v].name);
            if (key.values[v].type == 1)
                CheckText(problems, lines.valueLines[v], "the text value", key.values[v].text);
        }
    }
    for (int k = 1; k <= d.optionsRead; ++k)
        CheckText(problems, d.sourceLines.options[k], "option " + std::to_string(k),
                  d.OptionText(k));
}

} // namespace

void CheckTexts(const SetupDescription& d, ConfigProblems& problems) {
    ScanHeader(d, problems);
    ScanRecords(d, problems);
    ScanRegistryAndOptions(d, problems);
}

void CheckNumbers(const SetupDescription& d, ConfigProblems& problems) {
    for (const SetupDescriptionOddNumber& odd : d.sourceLines.oddNumbers)
        problems.Error(odd.line,
                       odd.what + " is " + Quoted(odd.field) +
                           ", not a number: the setup reads it as " +
                           std::to_string(SetupDescriptionReader::ParseNumber(odd.field)));
}
