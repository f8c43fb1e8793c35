// The registered folder browser.
#include "platform/ui/FolderBrowserHook.h"

#include <atomic>

namespace {

std::atomic<FolderBrowserHook> registered{nullptr};

} // namespace

void SetFolderBrowserHook(FolderBrowserHook hook) {
    registered.store(hook);
}

FolderBrowserHook GetFolderBrowserHook() {
    return registered.load();
}
