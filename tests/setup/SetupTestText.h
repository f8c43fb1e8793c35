// Helpers for the setup tests: a sound setup description written as text in
// pieces that a test can replace, and loading of text through a stream.
#pragma once

#include "setup/SetupDescription.h"
#include "toolkit/KIVString.h"

#include <cstdio>
#include <string>

struct DescriptionText {
    std::string header = "// Talvic setup description\n"
                         "Version 1.10\nCompany \"Kiv software\"\nCopyright x\nUrl x\nMail x\n"
                         "Agreement licence.txt\nAppName Talvic\nLongAppName \"Talvic Studio\"\n"
                         "ExeName talvic\nVersionText 4.0\nText11 x\nText12 x\nLanguages 15\n"
                         "Unused 0\nMultiVolume 1\nNumber 0\nEntries 2\npredecomp 1\n";
    std::string entries =
        "Entry 0 Program \"\" Program \"\" TRUE platformPC \"\" 0 0 4 1 1000 2 0 1 0\n"
        "talvic.exe readme.txt\n"
        "Entry 1 Tools \"\" Tools\\\"Big Box\" \"\" copy platformPCMAC Src 0 1 0 2 500 0 0 0 1\n"
        "-\n";
    std::string components = "Components 2\n"
                             "Component Main x 15 1 { 0 }\n"
                             "Component Tools x 15 2 reg.dat 0 { 0 1 }\n";
    std::string types = "SetupTypes 3\nType Typical x 2 { 0 1 }\nType Compact x 1 { 0 }\n"
                        "Type Custom x 2 { 0 1 }\n";
    std::string lists = "Shortcuts 1\nShortcut talvic.exe Talvic 0\n"
                        "Uninstall 1\nPath x Data\nUnused 0\nVolumes 1\nVolume x 1 archive1\n";
    std::string registry = "Registry begin\n"
                           "[HKEY_LOCAL_MACHINE\\Software\\<LONGAPPNAME>] WINREG\n"
                           "Path 1 \"<INSTALLDST>\"\nCount 4 3\n"
                           "[HKEY_CURRENT_USER\\Software\\Kiv] DONTUNINSTALL\n"
                           "[ENDREGBASE]\n";
    std::string options = "Options x 3\nFullScreen 0\nFullScreen 1\nGroup 1\n";

    std::string Text() const {
        return header + entries + components + types + lists + registry + options;
    }
};

// Loads text through a temporary stream; embedded NUL bytes are kept.
inline bool LoadDescriptionText(const std::string& text, SetupDescription& description) {
    std::FILE* file = std::tmpfile();
    if (!file)
        return false;
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    const bool loaded = LoadSetupDescription(description, file);
    std::fclose(file);
    return loaded;
}

inline std::string Narrow(const KIVString& text) {
    char narrow[400];
    text.ToNarrow(narrow, sizeof narrow);
    return narrow;
}
