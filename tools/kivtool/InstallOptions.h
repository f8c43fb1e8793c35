// The command line of kivtool install, the choices it stands for (the ones a
// person makes on the setup's pages) and the exit codes it ends with.
#pragma once

#include "setup/SetupExitCode.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class SetupDriver;

extern const char kInstallUsage[];

struct InstallOptions {
    std::string medium;            // host folder holding the setup program
    std::string program = "Setup"; // the setup program's name without ".exe"
    std::int32_t setupType = 0;    // kSetupTypical, kSetupCompact, kSetupCustom
    bool componentsGiven = false;
    std::vector<std::string> components;
    std::string destination;   // Windows path, UTF-8; empty: the setup's default
    std::string user, company; // empty: the registered ones
    bool userGiven = false, companyGiven = false;
    std::int32_t language = 0;    // a language code; 0: the user's default
    bool startupShortcut = false; // as the completion page's check box
    bool json = false;
    std::string logPath; // host path of the install log; empty: none
};

// False with a message when the command line is wrong.
bool ParseInstallOptions(const std::vector<std::string>& args, InstallOptions* options,
                         std::string* error);
// The user information and destination folder pages' choices.
void ApplyInstallChoices(SetupDriver& driver, const InstallOptions& options);
// The setup type page's and the custom page's choices. False with a message
// when the description has no such setup type or component.
bool ChooseInstallSetup(SetupDriver& driver, const InstallOptions& options, std::string* problem);
// The exit code for the worker's result.
int ExitCodeFor(std::int32_t result, bool restartNeeded);
// The choices given on the command line, as the log's start line lists them
// (the log's own path left out).
std::vector<std::pair<std::string, std::string>> GivenInstallOptions(const InstallOptions& options);

// The summary on stdout: files, bytes, registry keys, restart, result, code.
void PrintInstallSummary(const SetupDriver& driver, std::int32_t result, int code,
                         std::int64_t bytes, bool json);
