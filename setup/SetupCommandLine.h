// The setup program's command line, for the people who deploy products:
//
//   /S               unattended: no page is shown, every choice comes from
//                    the defaults or the response file
//   /RESPONSE=FILE   the response file an unattended setup replays
//   /RECORD=FILE     writes the choices made on the pages to FILE
//   /D=FOLDER        the installation folder
//   /LANG=NAME       the language: English, French, German or Japanese
//   /LOG=FILE        a log of the run as JSON lines
//
// Options are matched without regard to case and may start with "-".
// Paths are Windows paths on the machine.
#pragma once

#include <string>
#include <vector>

struct SetupCommandLine {
    bool silent = false;
    std::string responseFile;
    std::string recordFile;
    std::string folder;
    std::string language;
    std::string logFile;
};

// The options after the program's name. False with *error naming the
// argument that is not one of them.
bool ParseSetupCommandLine(const std::vector<std::string>& args, SetupCommandLine* options,
                           std::string* error);

// Opens the files a person named for the setup to write (/LOG and /RECORD)
// for changes also where they lie on the host outside the machine (Z:),
// which is otherwise read-only to the setup.
void AllowCommandLineFiles(const SetupCommandLine& options);
