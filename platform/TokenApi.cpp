// The process token: GetCurrentProcess, OpenProcessToken,
// LookupPrivilegeValueA and AdjustTokenPrivileges, enough for a program to
// enable SeShutdownPrivilege before ExitWindowsEx, as on Windows.
#include "platform/HostPath.h"
#include "platform/ProcessObject.h"
#include "platform/ProcessToken.h"
#include "platform/WinBase.h"

#include <memory>
#include <strings.h>
#include <vector>

namespace {

LUID_AND_ATTRIBUTES* Entries(PTOKEN_PRIVILEGES privileges) {
    return &privileges->Privileges[0];
}

DWORD SizeFor(DWORD count) {
    return static_cast<DWORD>(sizeof(TOKEN_PRIVILEGES) +
                              (count > 0 ? count - 1 : 0) * sizeof(LUID_AND_ATTRIBUTES));
}

// The privileges of newState that the token holds and that change, with
// their present state, in newState's order.
std::vector<LUID_AND_ATTRIBUTES> Changes(PTOKEN_PRIVILEGES newState, bool disableAll,
                                         bool* allHeld) {
    std::vector<LUID_AND_ATTRIBUTES> changes;
    *allHeld = true;
    LUID shutdown = {ProcessToken::kShutdownLuid, 0};
    if (disableAll) {
        if (ProcessToken::Enabled(shutdown))
            changes.push_back({shutdown, SE_PRIVILEGE_ENABLED});
        return changes;
    }
    for (DWORD i = 0; i < newState->PrivilegeCount; ++i) {
        const LUID_AND_ATTRIBUTES& entry = Entries(newState)[i];
        if (!ProcessToken::Holds(entry.Luid)) {
            *allHeld = false;
            continue;
        }
        bool enabled = ProcessToken::Enabled(entry.Luid);
        if (enabled != ((entry.Attributes & SE_PRIVILEGE_ENABLED) != 0))
            changes.push_back({entry.Luid, enabled ? SE_PRIVILEGE_ENABLED : 0u});
    }
    return changes;
}

// Hands the former state of the changed privileges to the caller's buffer;
// false (ERROR_INSUFFICIENT_BUFFER) when it is too small.
bool ReturnPrevious(const std::vector<LUID_AND_ATTRIBUTES>& changes, DWORD size,
                    PTOKEN_PRIVILEGES previous, LPDWORD returned) {
    DWORD needed = SizeFor(static_cast<DWORD>(changes.size()));
    if (returned)
        *returned = needed;
    if (!previous)
        return true;
    if (size < needed)
        return false;
    previous->PrivilegeCount = static_cast<DWORD>(changes.size());
    for (std::size_t i = 0; i < changes.size(); ++i)
        Entries(previous)[i] = changes[i];
    return true;
}

} // namespace

// The pseudo handle -1, as on Windows.
HANDLE GetCurrentProcess() {
    return INVALID_HANDLE_VALUE;
}

BOOL OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle) {
    if (!TokenHandle)
        return HostPath::Fail(ERROR_INVALID_PARAMETER);
    if (ProcessHandle != GetCurrentProcess())
        return HostPath::Fail(KernelObject::LookupAs<ProcessObject>(ProcessHandle)
                                  ? ERROR_ACCESS_DENIED
                                  : ERROR_INVALID_HANDLE);
    *TokenHandle = KernelObject::Insert(std::make_shared<ProcessToken>(DesiredAccess));
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL LookupPrivilegeValueA(LPCSTR lpSystemName, LPCSTR lpName, PLUID lpLuid) {
    if (!lpName || !lpLuid)
        return HostPath::Fail(ERROR_INVALID_PARAMETER);
    if (lpSystemName && *lpSystemName)
        return HostPath::Fail(ERROR_NOT_SUPPORTED); // no other machines here
    if (strcasecmp(lpName, SE_SHUTDOWN_NAME) != 0)
        return HostPath::Fail(ERROR_NO_SUCH_PRIVILEGE);
    *lpLuid = {ProcessToken::kShutdownLuid, 0};
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL AdjustTokenPrivileges(HANDLE TokenHandle, BOOL DisableAllPrivileges,
                           PTOKEN_PRIVILEGES NewState, DWORD BufferLength,
                           PTOKEN_PRIVILEGES PreviousState, LPDWORD ReturnLength) {
    std::shared_ptr<ProcessToken> token = KernelObject::LookupAs<ProcessToken>(TokenHandle);
    if (!token)
        return HostPath::Fail(ERROR_INVALID_HANDLE);
    if (!(token->Access() & TOKEN_ADJUST_PRIVILEGES))
        return HostPath::Fail(ERROR_ACCESS_DENIED);
    if ((!DisableAllPrivileges && !NewState) || (PreviousState && !ReturnLength))
        return HostPath::Fail(ERROR_INVALID_PARAMETER);
    bool allHeld = true;
    std::vector<LUID_AND_ATTRIBUTES> changes = Changes(NewState, DisableAllPrivileges, &allHeld);
    if (!ReturnPrevious(changes, BufferLength, PreviousState, ReturnLength))
        return HostPath::Fail(ERROR_INSUFFICIENT_BUFFER);
    for (const LUID_AND_ATTRIBUTES& change : changes)
        ProcessToken::Set(change.Luid, !(change.Attributes & SE_PRIVILEGE_ENABLED));
    SetLastError(allHeld ? ERROR_SUCCESS : ERROR_NOT_ALL_ASSIGNED);
    return TRUE;
}
