// The codes a setup ends with, as deployment tools know them, and their
// words in the install log.
#pragma once

enum SetupExitCode : int {
    kExitInstalled = 0,
    kExitRestartNeeded = 3010, // installed; files in use are replaced at the next start
    kExitCancelled = 1602,     // cancelled, or the licence declined
    kExitFailed = 1603,
};

// "installed", "restart-needed", "cancelled" or "failed".
const char* SetupExitWord(int code);
