// Input scripts: text files of commands, one a line, that drive the user
// interface as a user would (KIV_SCRIPT names one; see ScriptPlayer.h and
// IdleScript.h). Blank lines and lines starting with '#' are skipped.
//
//   wait-window TITLE|#ID [TIMEOUT_MS]   the active window's title or identifier
//   key NAME [NAME...]                   press and release each key or chord
//   type TEXT                            characters, UTF-8 in the file
//   click X Y | click #ID                left click at a screen point or a control
//   screenshot FILE.png                  the whole screen
//   expect-text #ID TEXT                 a control's text equals TEXT
//   sleep MS
//
// A title may be written in double quotes, and must be when it ends in a
// number that is not a timeout: wait-window "Disk 2".
#pragma once

#include "platform/WinUser.h"

#include <string>
#include <vector>

enum class ScriptCommand { WaitWindow, Key, Type, Click, Screenshot, ExpectText, Sleep };

struct ScriptStep {
    ScriptCommand command = ScriptCommand::Sleep;
    int line = 0;
    int id = 0;                           // #ID of wait-window, click, expect-text; 0 for none
    std::u16string text;                  // wait-window's title, type's and expect-text's text
    std::string path;                     // screenshot's file
    POINT point{};                        // click at a screen point
    std::vector<std::vector<int>> chords; // key: each chord's keys in pressing order
    int milliseconds = 0;                 // wait-window's timeout, sleep's time
};

// How long wait-window waits when the script gives no time.
constexpr int kDefaultWindowTimeout = 10000;

// Parses a script's text; `name` is what error messages call the file.
// False with "NAME:LINE: what is wrong" in *error for the first bad line.
bool ParseInputScript(const std::string& text, const std::string& name,
                      std::vector<ScriptStep>* steps, std::string* error);
// Reads and parses the script file at a host path.
bool LoadInputScript(const std::string& hostPath, std::vector<ScriptStep>* steps,
                     std::string* error);
