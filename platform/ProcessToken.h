// The access token of this process, as far as the setup uses it: the one
// privilege it holds, SeShutdownPrivilege, and whether it is enabled. The
// state belongs to the process (every handle of the token sees it); a
// handle carries only the access it was opened with. Internal to the
// platform layer.
#pragma once

#include "platform/KernelObject.h"
#include "platform/WinBase.h"

class ProcessToken : public KernelObject {
public:
    // The identifier Windows gives SeShutdownPrivilege.
    static constexpr DWORD kShutdownLuid = 19;

    explicit ProcessToken(DWORD access) : access_(access) {}
    DWORD Access() const { return access_; }

    // Whether the token holds the privilege luid at all.
    static bool Holds(const LUID& luid);
    // Whether the privilege is enabled.
    static bool Enabled(const LUID& luid);
    // Enables or disables a privilege the token holds.
    static void Set(const LUID& luid, bool enabled);

private:
    DWORD access_;
};
