// The codes a setup (and kivtool install) ends with, as deployment tools know
// them, and their words in the install log. A process's exit status carries
// only their low byte (194, 66, 67, 82 for the last four).
#pragma once

enum SetupExitCode : int {
    kExitInstalled = 0,
    kExitRestartNeeded = 3010, // installed; files in use are replaced at the next start
    kExitCancelled = 1602,     // cancelled, or the licence declined
    kExitFailed = 1603,
    kExitAlreadyRunning = 1618, // another installation is in progress (InstallMutex)
};

// "installed", "restart-needed", "cancelled", "already-running" or "failed".
const char* SetupExitWord(int code);
