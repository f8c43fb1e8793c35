#include "platform/ui/script/ScriptPlayer.h"

#include "platform/HostText.h"
#include "platform/ui/DeviceInput.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/UiState.h"
#include "platform/ui/script/ControlLookup.h"

namespace {

std::u16string WindowText(HWND hwnd) {
    UiLock lock(Ui().lock);
    const WindowObject* window = FindWindowObject(hwnd);
    return window ? window->text : std::u16string();
}

LONG_PTR WindowId(HWND hwnd) {
    UiLock lock(Ui().lock);
    const WindowObject* window = FindWindowObject(hwnd);
    return window ? window->id : 0;
}

std::string Quoted(const std::u16string& text) {
    return "\"" + HostText::FromWide(text.c_str()) + "\"";
}

std::string Described(HWND window) {
    if (!window)
        return "no active window";
    return "the active window is " + Quoted(WindowText(window)) + " #" +
           std::to_string(WindowId(window));
}

void PressChord(const std::vector<int>& keys) {
    for (int key : keys)
        DeviceInput::Key(key, true);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        DeviceInput::Key(*key, false);
}

void Click(POINT at) {
    DeviceInput::MouseMove(at);
    DeviceInput::MouseButton(VK_LBUTTON, true, at);
    DeviceInput::MouseButton(VK_LBUTTON, false, at);
}

} // namespace

ScriptPlayer::ScriptPlayer(std::vector<ScriptStep> steps, std::string name)
    : steps_(std::move(steps)), name_(std::move(name)) {}

ScriptPlayer::Outcome ScriptPlayer::Step(std::string* message) {
    if (failed_)
        return Outcome::Failed;
    if (next_ >= steps_.size())
        return Outcome::Finished;
    const ScriptStep& step = steps_[next_];
    if (step.command == ScriptCommand::WaitWindow || step.command == ScriptCommand::Sleep) {
        const Outcome outcome =
            step.command == ScriptCommand::Sleep ? Sleep(step) : WaitWindow(step, message);
        if (outcome == Outcome::Played)
            ++next_;
        return outcome;
    }
    if (!Act(step, message))
        return Outcome::Failed;
    ++next_;
    return Outcome::Played;
}

ScriptPlayer::Outcome ScriptPlayer::Fail(const ScriptStep& step, const std::string& what,
                                         std::string* message) {
    failed_ = true;
    *message = name_ + ":" + std::to_string(step.line) + ": " + what;
    return Outcome::Failed;
}

// The deadline starts when the step is first tried.
ScriptPlayer::Outcome ScriptPlayer::WaitWindow(const ScriptStep& step, std::string* message) {
    if (!waiting_) {
        waiting_ = true;
        deadline_ = Clock::now() + std::chrono::milliseconds(step.milliseconds);
    }
    const HWND active = GetActiveWindow();
    const bool found =
        active && (step.id ? WindowId(active) == step.id : WindowText(active) == step.text);
    if (found) {
        waiting_ = false;
        return Outcome::Played;
    }
    if (Clock::now() < deadline_)
        return Outcome::Waiting;
    const std::string wanted = step.id ? "#" + std::to_string(step.id) : Quoted(step.text);
    return Fail(step,
                "no window " + wanted + " after " + std::to_string(step.milliseconds) + " ms; " +
                    Described(active),
                message);
}

ScriptPlayer::Outcome ScriptPlayer::Sleep(const ScriptStep& step) {
    if (!waiting_) {
        waiting_ = true;
        deadline_ = Clock::now() + std::chrono::milliseconds(step.milliseconds);
    }
    if (Clock::now() < deadline_)
        return Outcome::Waiting;
    waiting_ = false;
    return Outcome::Played;
}

// The steps that act at once: input, the screenshot and the text check.
bool ScriptPlayer::Act(const ScriptStep& step, std::string* message) {
    ScriptControl control;
    const bool needsControl = step.id && (step.command == ScriptCommand::Click ||
                                          step.command == ScriptCommand::ExpectText);
    if (needsControl && !FindScriptControl(GetActiveWindow(), step.id, &control)) {
        Fail(step, "no control #" + std::to_string(step.id) + "; " + Described(GetActiveWindow()),
             message);
        return false;
    }
    switch (step.command) {
    case ScriptCommand::Key:
        for (const std::vector<int>& chord : step.chords)
            PressChord(chord);
        return true;
    case ScriptCommand::Type:
        DeviceInput::Text(step.text);
        return true;
    case ScriptCommand::Click:
        Click(step.id ? POINT{(control.screen.left + control.screen.right) / 2,
                              (control.screen.top + control.screen.bottom) / 2}
                      : step.point);
        return true;
    case ScriptCommand::Screenshot:
        if (!SaveScreenshot(step.path))
            Fail(step, "cannot write " + step.path, message);
        return !failed_;
    case ScriptCommand::ExpectText:
        if (control.text != step.text)
            Fail(step,
                 "control #" + std::to_string(step.id) + " reads " + Quoted(control.text) +
                     ", not " + Quoted(step.text),
                 message);
        return !failed_;
    case ScriptCommand::WaitWindow:
    case ScriptCommand::Sleep:
        break;
    }
    return true;
}
