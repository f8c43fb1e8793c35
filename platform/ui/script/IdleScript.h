// The process's input script: KIV_SCRIPT names a script file (InputScript.h)
// that is played while the user-interface thread's message loop is idle, one
// step per idle pass. A script that cannot be read or parsed, a wait-window
// that times out and a failed expect-text end the process at once with exit
// status 3 and a message naming the file and line on stderr: a scripted run
// that goes wrong must not look like one that went right.
#pragma once

#include <string>

// The exit status of a failed scripted run.
constexpr int kScriptFailureStatus = 3;

// Plays the script's next step. Called by the message loops of the
// user-interface thread when their queue is empty. The first call loads
// KIV_SCRIPT (nothing to play when it is unset). After a step it makes
// sure the loop comes back: a message after the step's input when the step
// was played, a short timer while a step waits.
void PlayScriptWhenIdle();

// Whether a script answers the windows: one that StartInputScript made, or
// the one KIV_SCRIPT names while none was loaded yet.
bool InputScriptGiven();

// Makes the script at hostPath the one to play, from its first step, in
// place of KIV_SCRIPT's; false with the message in *error when it cannot be
// read or parsed. An empty path plays none.
bool StartInputScript(const std::string& hostPath, std::string* error);
