#include "platform/ui/script/IdleScript.h"

#include "platform/WinBase.h"
#include "platform/ui/script/ScriptPlayer.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace {

constexpr UINT kWaitingPoll = 10; // ms between checks of a waiting step

struct IdleScriptState {
    std::mutex lock;
    bool started = false;
    std::unique_ptr<ScriptPlayer> player;
    UINT_PTR timer = 0;
};

IdleScriptState& State() {
    static auto* state = new IdleScriptState;
    return *state;
}

[[noreturn]] void FailRun(const std::string& message) {
    std::fprintf(stderr, "input script failed: %s\n", message.c_str());
    std::fflush(nullptr);
    std::_Exit(kScriptFailureStatus);
}

bool Load(IdleScriptState& state, const std::string& hostPath, std::string* error) {
    state.started = true;
    state.player.reset();
    if (hostPath.empty())
        return true;
    std::vector<ScriptStep> steps;
    if (!LoadInputScript(hostPath, &steps, error))
        return false;
    state.player = std::make_unique<ScriptPlayer>(std::move(steps), hostPath);
    return true;
}

void StopTimer(IdleScriptState& state) {
    if (state.timer)
        KillTimer(nullptr, state.timer);
    state.timer = 0;
}

} // namespace

bool StartInputScript(const std::string& hostPath, std::string* error) {
    IdleScriptState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    StopTimer(state);
    return Load(state, hostPath, error);
}

bool InputScriptGiven() {
    IdleScriptState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    const char* path = std::getenv("KIV_SCRIPT");
    return state.player || (!state.started && path && *path);
}

void PlayScriptWhenIdle() {
    IdleScriptState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    std::string message;
    if (!state.started) {
        const char* path = std::getenv("KIV_SCRIPT");
        if (!Load(state, path ? path : "", &message))
            FailRun(message);
    }
    if (!state.player)
        return;
    switch (state.player->Step(&message)) {
    case ScriptPlayer::Outcome::Played:
        StopTimer(state);
        PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
        break;
    case ScriptPlayer::Outcome::Waiting:
        if (!state.timer)
            state.timer = SetTimer(nullptr, 0, kWaitingPoll, nullptr);
        break;
    case ScriptPlayer::Outcome::Finished:
        StopTimer(state);
        state.player.reset();
        break;
    case ScriptPlayer::Outcome::Failed:
        FailRun(message);
    }
}
