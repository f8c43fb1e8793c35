#include "platform/ProcessToken.h"

#include <atomic>

namespace {

std::atomic<bool> shutdownEnabled{false};

} // namespace

bool ProcessToken::Holds(const LUID& luid) {
    return luid.HighPart == 0 && luid.LowPart == kShutdownLuid;
}

bool ProcessToken::Enabled(const LUID& luid) {
    return Holds(luid) && shutdownEnabled.load();
}

void ProcessToken::Set(const LUID& luid, bool enabled) {
    if (Holds(luid))
        shutdownEnabled.store(enabled);
}
