// KIVMessageMapHelper: the toolkit's command routing. An object that takes
// commands (the application, a toolkit window) answers two questions about a
// command identifier: whether it is enabled now, and, when it is sent, what
// it does.
#pragma once

// A command-state query: enabled unless a handler clears it.
struct KIVCommandState {
    int command = 0;
    bool enabled = true;
};

class KIVMessageMapHelper {
public:
    virtual ~KIVMessageMapHelper() = default;

    // Lets the object's handlers update the state of state->command; the base
    // leaves it as it is.
    virtual void UpdateCommand(KIVCommandState* state) { (void)state; }
    // Carries out a command; false when the object has no handler for it.
    virtual bool RouteCommand(int command) {
        (void)command;
        return false;
    }
};
