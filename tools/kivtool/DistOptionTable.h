// The setup's 28 options as a project file names them in [options]: the
// key, the option's position in the setup description, whether it is a flag
// or a text, and the default a product gets when it does not say.
#pragma once

struct DistOptionInfo {
    const char* key; // nullptr: an option the setup does not use
    int position;    // 1 to 28
    bool flag;
    const char* value; // default: "1"/"0" for flags, the text otherwise
};

extern const DistOptionInfo kDistOptions[28];

// The option of key, or nullptr.
const DistOptionInfo* FindDistOption(const char* key);
