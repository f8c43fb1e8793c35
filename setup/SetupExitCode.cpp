#include "setup/SetupExitCode.h"

const char* SetupExitWord(int code) {
    switch (code) {
    case kExitInstalled:
        return "installed";
    case kExitRestartNeeded:
        return "restart-needed";
    case kExitCancelled:
        return "cancelled";
    default:
        return "failed";
    }
}
