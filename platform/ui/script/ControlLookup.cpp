#include "platform/ui/script/ControlLookup.h"

#include "platform/ui/UiState.h"

#include <atomic>

namespace {

std::atomic<ControlLookup> g_lookup{nullptr};

const WindowObject* ChildWithId(const WindowObject* parent, int id) {
    for (HWND handle : parent->children) {
        const WindowObject* child = FindWindowObject(handle);
        if (!child)
            continue;
        if (child->id == id)
            return child;
        if (const WindowObject* found = ChildWithId(child, id))
            return found;
    }
    return nullptr;
}

bool ChildControl(HWND top, int id, ScriptControl* control) {
    UiLock lock(Ui().lock);
    const WindowObject* window = FindWindowObject(top);
    const WindowObject* child = window ? ChildWithId(window, id) : nullptr;
    if (!child)
        return false;
    control->screen = ScreenRect(child);
    control->text = child->text;
    return true;
}

} // namespace

void SetControlLookup(ControlLookup lookup) {
    g_lookup.store(lookup);
}

bool FindScriptControl(HWND top, int id, ScriptControl* control) {
    const ControlLookup lookup = g_lookup.load();
    return (lookup && lookup(top, id, control)) || ChildControl(top, id, control);
}
