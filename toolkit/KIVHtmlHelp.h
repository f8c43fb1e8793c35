// Help in HTML: a topic of the application's help file is opened in the
// program the machine has registered for HTML files, the first value of
// HKEY_CLASSES_ROOT\htmlfile\shell\open\command. Its program part (up to
// the closing quote when it begins with one, else up to the first blank) is
// started with a blank and "<help file>#<topic>" behind it.
#pragma once

// False when helpFile names no existing file (the caller then falls back to
// the older help), true otherwise: with topic -1 nothing is opened, and when
// no program is registered nothing is started.
bool KIVShowHtmlHelp(const char* helpFile, int topic);
