// DistProject: what a distribution project file says, read and checked by
// ReadDistProject. Every item keeps the line of the project file that gave
// it, for the errors of the build. Paths are host paths, already resolved
// against the project file's folder.
#pragma once

#include "tools/kivtool/DistIni.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

struct DistText {
    int line = 0;
    std::string value;
};

// One install entry: a folder of the product packed into a volume, or
// copied onto the medium beside the setup program.
struct DistFolder {
    int line = 0;
    std::string name; // the install entry's name
    std::filesystem::path source;
    int sourceLine = 0;
    std::string target; // below the installation folder, with backslashes
    bool packed = true;
    int volume = 0; // 1 main archive, 2 archive1.zkiv, ...; 0 chosen by the size limit
    int volumeLine = 0;
    bool system = false;
    bool run = false;
    std::string mediumFolder; // a copied folder's name on the medium
};

struct DistComponent {
    int line = 0;
    std::string name;
    std::vector<int> folders;   // positions in DistProject::folders
    std::int32_t languages = 0; // bit set; 0 until read: the medium's languages
};

struct DistShortcut {
    int line = 0;
    std::string name;   // the link's name without .LNK
    std::string target; // a file of the folder
    int folder = -1;
};

struct DistRegistryValue {
    int line = 0;
    std::string name;
    bool text = true; // text (type 1) or a dword (type 4)
    std::string value;
};

struct DistRegistryKey {
    int line = 0;
    std::string path;
    bool winreg = true;
    bool uninstall = true;
    std::vector<DistRegistryValue> values;
};

// The 28 options of the setup description, by position (1 to 28); texts
// and numbers both as their text.
using DistOptions = std::array<std::string, 29>;

struct DistImage {
    int line = 0;
    std::filesystem::path base; // "<base>_rgb.jpg" and, when present, "<base>_alp.jpg"
};

struct DistProject {
    std::string path; // the project file, as named on the command line
    std::filesystem::path folder;

    std::map<std::string, DistText> product; // company, app-name, ...
    std::vector<std::string> languageNames;  // "English", ... in bit order
    std::int32_t languages = 0;
    int languagesLine = 0;
    std::uint64_t volumeSize = 0; // 0: no limit
    int volumeSizeLine = 0;
    unsigned codePage = 1252;
    // A file name that an offered language's code page cannot spell: "error"
    // fails the build, "warning" lets it pass with a warning.
    std::string unspellableNames = "error";
    int level = 6;
    DistText setupProgram; // path, or empty
    DistText resources;    // path, or empty
    std::string licenceName = "licence.txt";
    std::map<std::string, DistText> licences; // by language name: a file
    DistImage sideImage, productLogo, makerLogo;

    std::vector<DistFolder> folders;
    std::vector<DistComponent> components;
    std::array<std::vector<int>, 3> setupTypes; // Typical, Compact, Custom: component positions
    std::array<int, 3> setupTypeLines{};
    std::vector<DistShortcut> shortcuts;
    std::vector<DistText> uninstallPaths;
    std::vector<DistRegistryKey> registry;
    DistOptions options;
    std::array<int, 29> optionLines{};
};

// The languages a medium can offer, by bit: the language's name (its folder
// on the medium) and the ANSI code page of the machines set up for it.
struct DistLanguage {
    const char* name;
    unsigned codePage;
};
extern const DistLanguage kDistLanguages[4]; // English, French, German, Japanese
extern const char* const kDistSetupTypes[3]; // Typical, Compact, Custom

// Reads and checks the project file. False with every error found: unknown
// sections and keys, missing folders and files, duplicates, references to
// nothing, values out of range.
bool ReadDistProject(const std::string& path, DistProject* project, std::vector<DistError>* errors);

// DistProjectSections.cpp: each kind of section into the project.
struct DistReader {
    DistProject& project;
    std::vector<DistError>& errors;
    void Error(int line, std::string message) { errors.push_back({line, std::move(message)}); }
    std::filesystem::path Path(const std::string& value) const { return project.folder / value; }
    bool Flag(const DistIniKey& key, bool* flag);
};
void ReadProductSection(DistReader& r, const DistIniSection& section);
void ReadMediumSection(DistReader& r, const DistIniSection& section);
void ReadLicenceSection(DistReader& r, const DistIniSection& section);
void ReadImagesSection(DistReader& r, const DistIniSection& section);
void ReadFolderSection(DistReader& r, const DistIniSection& section);
void ReadUninstallSection(DistReader& r, const DistIniSection& section);
void ReadRegistrySection(DistReader& r, const DistIniSection& section);
void ReadOptionsSection(DistReader& r, const DistIniSection& section);
// DistProjectLinks.cpp: the sections that name folders and components.
void ReadComponentSection(DistReader& r, const DistIniSection& section);
void ReadSetupTypesSection(DistReader& r, const DistIniSection& section);
void ReadShortcutSection(DistReader& r, const DistIniSection& section);
// DistProjectCheck.cpp: what the whole project must hold.
void CheckDistProject(DistReader& r, int lastLine);
