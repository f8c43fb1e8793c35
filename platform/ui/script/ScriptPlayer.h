// Plays an input script one step at a time, on the thread whose windows it
// drives, when that thread has nothing else to do (IdleScript.h). Keys, text
// and clicks go in as device input (DeviceInput.h), so that they reach the
// windows exactly as a user's would.
#pragma once

#include "platform/ui/script/InputScript.h"

#include <chrono>

class ScriptPlayer {
public:
    enum class Outcome {
        Played,   // a step was done; the next call plays the next one
        Waiting,  // the step waits (for a window, or for time to pass)
        Finished, // every step was played
        Failed,   // a step failed; the message says which and why
    };

    // `name` is what failure messages call the script.
    ScriptPlayer(std::vector<ScriptStep> steps, std::string name);

    // Plays the next step, or checks again on the one that waits. On
    // Failed, *message is "NAME:LINE: what failed"; the player then stays
    // failed.
    Outcome Step(std::string* message);

private:
    using Clock = std::chrono::steady_clock;

    Outcome WaitWindow(const ScriptStep& step, std::string* message);
    Outcome Sleep(const ScriptStep& step);
    bool Act(const ScriptStep& step, std::string* message);
    Outcome Fail(const ScriptStep& step, const std::string& what, std::string* message);

    std::vector<ScriptStep> steps_;
    std::string name_;
    std::size_t next_ = 0;
    bool waiting_ = false;
    bool failed_ = false;
    Clock::time_point deadline_{};
};
