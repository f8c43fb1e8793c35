// SetupResponse: the choices a person makes on the setup's pages, as a
// response file holds them. An unattended setup (Setup.exe /S) replays a
// response on its pages; Setup.exe /RECORD=FILE writes the choices made on
// the pages of a normal run. The file is UTF-8 text, one "Key = value" a
// line, "#" starting a comment line:
//
//   Language        = French            English, French, German or Japanese
//   Licence         = accept            accept or decline
//   User            = Ada Lovelace
//   Company         = Analytical Engines Ltd
//   SetupType       = Custom            Typical, Compact or Custom
//   Folder          = C:\Program Files\Kiv software\Orrery
//   Components      = Program, Library, Samples      for Custom
//   Launch          = no                yes or no, the completion page's
//   StartupShortcut = yes               three choices
//   RunPrograms     = no
//
// A key left out keeps what the page shows by default.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct SetupResponse {
    std::optional<std::string> language;
    std::optional<bool> licenceAccepted;
    std::optional<std::string> userName;
    std::optional<std::string> company;
    std::optional<std::string> setupType;
    std::optional<std::string> folder;
    std::optional<std::vector<std::string>> components;
    std::optional<bool> launch;
    std::optional<bool> startupShortcut;
    std::optional<bool> runPrograms;
};

// The longest response file read, and the longest line.
constexpr std::size_t kMaxResponseBytes = 64 * 1024;
constexpr std::size_t kMaxResponseLine = 4096;

// Reads a response from its text. False with *error "line N: ..." at the
// first line that is not a known key with a fitting value.
bool ParseSetupResponse(const std::string& text, SetupResponse* response, std::string* error);
// Reads a response file (a Windows path). False with *error saying why.
bool ReadSetupResponse(const char16_t* path, SetupResponse* response, std::string* error);
// The text of a response: every key it holds, in the order above.
std::string FormatSetupResponse(const SetupResponse& response);
