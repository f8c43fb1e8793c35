// The framework's share in scripted runs: its message loops play the input
// script (platform/ui/script/IdleScript.h) on the application's thread only.
#pragma once

// Plays the script's next step when the calling thread is the application
// object's; does nothing on other threads or without an application object.
void AfxPlayIdleScript();
