// SetupDescription: everything particular to the product being installed, as
// read from the setup description file (config.ini) by LoadSetupDescription.
// After loading only the components' run-time fields change.
#pragma once

#include "setup/SetupDescriptionLines.h"
#include "setup/SetupRecords.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// Numbers of the options that the setup reads (the others are not used).
enum SetupOptionNumber {
    kOptionAlternativeAgreement = 1,
    kOptionFullScreen = 2,
    kOptionCreateProgramGroup = 3,
    kOptionOfferStartProduct = 4,
    kOptionUseRegistryFile = 6,
    kOptionRegistryFileName = 7,
    kOptionStartupShortcut = 8,
    kOptionUserInformationPage = 9,
    kOptionUserNameField = 10,
    kOptionCompanyField = 11,
    kOptionUpdateMode = 12,
    kOptionPreviousInstallFile = 13,
    kOptionDeleteRegistryFile = 15,
    kOptionSourcePath = 16,
    kOptionLanguagePage = 18,
    kOptionSetupTypePage = 19,
    kOptionIntroductionPage = 21,
    kOptionLicencePage = 22,
    kOptionInstall = 23,
    kOptionReadBack = 24,
    kOptionReadBackUserName = 26,
    kOptionReadBackCompany = 27,
    kOptionReadBackInstallDst = 28,
};

// Why a description was refused: the line (counted from 1 over every line of
// the file; 0 when the file could not be opened) and a reason for the vendor.
struct SetupDescriptionError {
    int line = 0;
    std::string reason;
};

// One option value as written: its text, and the same field read as a number.
// An option the file does not set is 0 and empty.
struct SetupOption {
    std::int32_t number = 0;
    char text[kSetupTextSize] = {};
};

class SetupDescription {
public:
    static constexpr int kOptionCount = 28;

    SetupDescription() = default;
    SetupDescription(const SetupDescription&) = delete;
    SetupDescription& operator=(const SetupDescription&) = delete;

    // Empties everything read from a file; the file path stays.
    void Clear();

    // Option k (1 to 28) as a number, a flag or a text; 0 / empty out of range.
    std::int32_t OptionNumber(int k) const;
    bool OptionFlag(int k) const { return OptionNumber(k) != 0; }
    const char* OptionText(int k) const;
    // Whether option k holds a text (7, 13, 16, 17, 20) rather than a number or flag.
    static bool IsTextOption(int k);

    // Sum of the sizes of every install entry for the PC (saturating).
    std::int32_t TotalInstallSize() const;

    char filePath[kSetupTextSize] = {}; // set by the caller before loading
    char formatVersion[kSetupTextSize] = {};
    char agreementFileName[kSetupTextSize] = {};
    char applicationName[kSetupTextSize] = {};
    char longApplicationName[kSetupTextSize] = {};
    char programFileBaseName[kSetupTextSize] = {};
    char versionText[kSetupTextSize] = {};
    std::int32_t availableLanguages = 0;
    bool multiVolume = false;

    std::vector<std::unique_ptr<InstallEntry>> installEntries;
    std::vector<std::unique_ptr<Component>> components;
    std::vector<std::unique_ptr<SetupType>> setupTypes;
    std::vector<ShortcutEntry> shortcuts;
    std::vector<std::string> extraUninstallPaths;
    std::vector<VolumeEntry> volumes;
    std::vector<RegistryKeyRecord> registryKeys;

    SetupOption options[kOptionCount + 1]; // [1] to [28]; [0] unused
    int optionsRead = 0;                   // option lines read (at most 28)

    SetupDescriptionError error;       // set when loading fails
    SetupDescriptionLines sourceLines; // where each record was read, for the checkers
};

// Reads the file at description.filePath (a Windows path on the machine) and
// fills the description. False when the file cannot be opened or is malformed;
// description.error then says where and why. A file that ends inside the
// registry keys or the options is accepted with what was read so far.
bool LoadSetupDescription(SetupDescription& description);

// The same over a stream opened by the caller (which closes it).
bool LoadSetupDescription(SetupDescription& description, std::FILE* file);

// Writes why a description was refused to stderr, the setup program's log.
void LogSetupDescriptionError(const SetupDescriptionError& error);

// Adds two sizes as the setup's 32-bit byte counts, saturating instead of
// wrapping, so that a huge total never turns into a small or negative one.
std::int32_t AddSizes(std::int32_t a, std::int32_t b);
