// Lets input scripts find a toolkit dialog's controls by identifier
// (`click #ID`, `expect-text #ID`): the control's rectangle on the screen
// and its text.
#pragma once

// Registers the toolkit's lookup with the input scripts (once; later calls
// change nothing).
void KIVRegisterControlLookup();
