// Message boxes that are recorded and answered with their default button.
#include "platform/HostText.h"
#include "platform/WinBase.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/MessageBoxLog.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

std::mutex logLock;
std::vector<ShownMessageBox>& Log() {
    static auto* log = new std::vector<ShownMessageBox>;
    return *log;
}

// The buttons of each set, left to right.
std::vector<int> Buttons(UINT type) {
    switch (type & 0xF) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
        return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_RETRYCANCEL:
        return {IDRETRY, IDCANCEL};
    default:
        return {IDOK};
    }
}

std::size_t DefaultIndex(UINT type) {
    const std::size_t chosen = (type & 0xF00) >> 8;
    return chosen < Buttons(type).size() ? chosen : 0;
}

const char16_t* Label(int button) {
    switch (button) {
    case IDCANCEL:
        return u"Cancel";
    case IDABORT:
        return u"Abort";
    case IDRETRY:
        return u"Retry";
    case IDIGNORE:
        return u"Ignore";
    case IDYES:
        return u"Yes";
    case IDNO:
        return u"No";
    default:
        return u"OK";
    }
}

// The answer of the display's own box when it shows one and no input script
// plays (a script must never wait for a person); else the default button.
int Answer(const std::u16string& text, const std::u16string& caption, UINT type) {
    const std::vector<int> buttons = Buttons(type);
    const std::size_t chosen = DefaultIndex(type);
    const char* script = std::getenv("KIV_SCRIPT");
    if (script && *script)
        return buttons[chosen];
    std::vector<std::u16string> labels;
    for (int button : buttons)
        labels.push_back(Label(button));
    const int pressed = ShowDisplayMessageBox(text, caption, labels, static_cast<int>(chosen));
    return pressed >= 0 && static_cast<std::size_t>(pressed) < buttons.size()
               ? buttons[static_cast<std::size_t>(pressed)]
               : buttons[chosen];
}

} // namespace

namespace MessageBoxLog {

std::vector<ShownMessageBox> Shown() {
    std::lock_guard<std::mutex> guard(logLock);
    return Log();
}

void Clear() {
    std::lock_guard<std::mutex> guard(logLock);
    Log().clear();
}

// Also written to the standard error stream: with no screen, a fatal
// message must still reach whoever started the program.
int Record(HWND owner, const std::u16string& text, const std::u16string& caption, UINT type) {
    const int answer = Answer(text, caption, type);
    std::fprintf(stderr, "[%s] %s\n", HostText::FromWide(caption.c_str()).c_str(),
                 HostText::FromWide(text.c_str()).c_str());
    std::lock_guard<std::mutex> guard(logLock);
    Log().push_back(ShownMessageBox{owner, text, caption, type, answer});
    return answer;
}

} // namespace MessageBoxLog

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    return MessageBoxLog::Record(
        hWnd, HostText::ToWide(HostText::FromAnsi(lpText)),
        HostText::ToWide(HostText::FromAnsi(lpCaption ? lpCaption : "Error")), uType);
}

int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
    return MessageBoxLog::Record(hWnd, lpText ? lpText : u"", lpCaption ? lpCaption : u"Error",
                                 uType);
}

BOOL MessageBeep(UINT) {
    return TRUE;
}
