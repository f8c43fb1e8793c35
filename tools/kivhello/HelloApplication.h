// kivhello: a window of the toolkit that greets in the four languages of the
// compiled resources beside it (English, French, German and Japanese, each in
// "<program folder>\<Language>\Setup.er?"). The program's own language
// resources are the English ones. It stays until the window is closed (or
// Escape or Enter is pressed); with a screenshot path it saves the screen as
// a PNG once the window has been painted, and ends.
#pragma once

#include "toolkit/KIVApplication.h"
#include "tools/kivhello/GreetingWindow.h"

#include <string>

class HelloApplication : public KIVApplication {
public:
    explicit HelloApplication(std::string screenshot);

    bool CreateMainWindow() override;
    BOOL OnIdle(LONG count) override;
    bool OpenDocument(const char16_t*) override { return false; }
    bool NewDocument() override { return true; }
    bool CloseDocuments() override { return true; }

    // False, with the reason on stderr, when the screenshot could not be saved.
    bool ScreenshotSaved() const { return screenshotSaved_; }

private:
    GreetingWindow window_;
    std::string screenshot_;
    bool screenshotSaved_ = true;
};
