// Fuzz target: the input script reader. Any text is read or refused with
// "NAME:LINE: reason"; a step that is read carries its line and only what
// its command may hold (keys in chords of at least one key, times that are
// not negative).
#include "platform/ui/script/InputScript.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckStep(const ScriptStep& step, int lines) {
    Check(step.line >= 1 && step.line <= lines);
    Check(step.milliseconds >= 0);
    for (const std::vector<int>& chord : step.chords)
        Check(!chord.empty());
    Check(step.command != ScriptCommand::Key || !step.chords.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<ScriptStep> steps;
    std::string error;
    if (!ParseInputScript(text, "fuzz.script", &steps, &error)) {
        Check(error.rfind("fuzz.script:", 0) == 0);
        return 0;
    }
    int lines = 1;
    for (char c : text)
        lines += c == '\n';
    for (const ScriptStep& step : steps)
        CheckStep(step, lines);
    return 0;
}
