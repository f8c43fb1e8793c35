// Message boxes that are recorded and answered with their default button.
#include "platform/HostText.h"
#include "platform/WinBase.h"
#include "platform/ui/MessageBoxLog.h"

#include <cstdio>
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

int DefaultAnswer(UINT type) {
    const std::vector<int> buttons = Buttons(type);
    const std::size_t chosen = (type & 0xF00) >> 8;
    return buttons[chosen < buttons.size() ? chosen : 0];
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
    const int answer = DefaultAnswer(type);
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
