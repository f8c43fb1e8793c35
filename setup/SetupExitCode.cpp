#include "setup/SetupExitCode.h"

const char* SetupExitWord(int code) {
    switch (code) {
    case kExitInstalled:
        return "installed";
    case kExitRestartNeeded:
        return "restart-needed";
    case kExitCancelled:
        return "cancelled";
    case kExitAlreadyRunning:
        return "already-running";
    default:
        return "failed";
    }
}
