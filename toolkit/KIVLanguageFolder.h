// Puts the chosen language's resource files beside the program: every file of
// "<program folder>Languages\<language name>" is copied into the program
// folder under its own name, replacing what is there, and then the whole
// "Languages" folder is deleted. A program started from a medium that holds
// several languages is thereby left with one. Failures are not reported: a
// missing file shows when the resources are loaded.
#pragma once

// programFolder ends with its "\".
void KIVTakeLanguageFolder(const char16_t* programFolder, const char* languageName);
