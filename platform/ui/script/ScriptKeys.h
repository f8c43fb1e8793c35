// Key names of input scripts: "Enter", "Tab", "Escape", "Space", "Left",
// "F1" ... "F24", a letter or a digit, and chords such as "Alt+N" or
// "Control+Shift+Home". Names are case-insensitive.
#pragma once

#include <string_view>
#include <vector>

// The virtual-key code of one key name; 0 for a name that is not a key.
int ScriptKeyCode(std::string_view name);

// The keys of a chord, in the order they go down (they come up in the
// reverse order). False when a part is empty or not a key name.
bool ParseKeyChord(std::string_view chord, std::vector<int>* keys);
