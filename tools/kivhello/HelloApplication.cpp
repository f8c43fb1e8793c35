#include "tools/kivhello/HelloApplication.h"

#include "platform/ui/DisplayBackend.h"

#include <cstdio>

HelloApplication::HelloApplication(std::string screenshot)
    : KIVApplication("Kiv hello", "1.0", u"English\\Setup", nullptr),
      screenshot_(std::move(screenshot)) {}

bool HelloApplication::CreateMainWindow() {
    if (!window_.Create(ProgramFolder(), GetText(1005)))
        return false;
    m_pMainWnd = &window_;
    return true;
}

// Once the window has been painted, the screen is saved when asked.
BOOL HelloApplication::OnIdle(LONG count) {
    const BOOL more = KIVApplication::OnIdle(count);
    if (screenshot_.empty() || !window_.Painted())
        return more;
    std::string path;
    path.swap(screenshot_);
    screenshotSaved_ = SaveScreenshot(path);
    if (!screenshotSaved_)
        std::fprintf(stderr, "kivhello: the screen could not be saved as %s\n", path.c_str());
    PostQuitMessage(screenshotSaved_ ? 0 : 1);
    return more;
}
