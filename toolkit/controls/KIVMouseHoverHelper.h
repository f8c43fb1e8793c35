// KIVMouseHoverHelper: remembers whether the mouse is over a control.
#pragma once

class KIVMouseHoverHelper {
public:
    bool IsHovered() const { return hovered_; }
    // Whether the flag changed.
    bool SetHovered(bool hovered) {
        const bool changed = hovered != hovered_;
        hovered_ = hovered;
        return changed;
    }

private:
    bool hovered_ = false;
};
