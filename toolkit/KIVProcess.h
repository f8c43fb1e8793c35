// Starting a program and waiting for its end.
#pragma once

#include "platform/Windows.h"

// Converts the command line to the ANSI code page (at most 1000 bytes,
// terminator included) and starts it with CreateProcessA on every family: no
// application name, no inheritance, no environment or folder of its own.
// Returns CreateProcessA's result; FALSE with ERROR_INVALID_PARAMETER when the
// converted command line does not fit.
BOOL KIVCreateProcess(const char16_t* commandLine, PROCESS_INFORMATION* processInformation);
// Polls the process every 500 ms until it has ended. Returns the last
// GetExitCodeProcess result; closes no handle.
BOOL KIVWaitForProcess(const PROCESS_INFORMATION* processInformation);
