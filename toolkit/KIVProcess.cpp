#include "toolkit/KIVProcess.h"

#include "toolkit/KIVNarrowText.h"

#include <cstring>

namespace {

// The size the system expects in the start-up record's first field: that of
// the 32-bit record, whatever this build's own layout.
constexpr DWORD kStartupInfoSize = 68;
constexpr int kCommandLineBytes = 1000;
constexpr DWORD kPollMilliseconds = 500;

} // namespace

BOOL KIVCreateProcess(const char16_t* commandLine, PROCESS_INFORMATION* processInformation) {
    KIVNarrowArgument<kCommandLineBytes> narrow(commandLine);
    if (!narrow.Ok() || !narrow.Get()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = kStartupInfoSize;
    return CreateProcessA(nullptr, narrow.Mutable(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, processInformation);
}

BOOL KIVWaitForProcess(const PROCESS_INFORMATION* processInformation) {
    if (!processInformation)
        return FALSE;
    DWORD exitCode = 0;
    BOOL result;
    do {
        Sleep(kPollMilliseconds);
        result = GetExitCodeProcess(processInformation->hProcess, &exitCode);
    } while (result && exitCode == STILL_ACTIVE);
    return result;
}
