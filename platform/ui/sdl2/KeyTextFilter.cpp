#include "platform/ui/sdl2/KeyTextFilter.h"

#include "platform/WinUser.h"

namespace {

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

} // namespace

void KeyTextFilter::KeyDown(int virtualKey, bool shift, bool control) {
    expected_ = 0;
    if (control)
        return;
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        expected_ = static_cast<char16_t>(shift ? virtualKey : virtualKey - 'A' + 'a');
    else if (virtualKey >= '0' && virtualKey <= '9' && !shift)
        expected_ = static_cast<char16_t>(virtualKey);
    else if (virtualKey == VK_SPACE)
        expected_ = u' ';
}

bool KeyTextFilter::TakeText(const std::u16string& text) {
    const bool same = expected_ && text.size() == 1 && Lower(text[0]) == Lower(expected_);
    expected_ = 0;
    return !same;
}
