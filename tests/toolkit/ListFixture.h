// The list tests' dialogs (layouts 400 and 401 of tests/data/dialogs/lists.txt)
// with a record of the notifications they hear, a line that counts its
// paintings, and mouse and key input at client points.
#pragma once

#include "DialogFixture.h"
#include "platform/ui/DeviceInput.h"
#include "toolkit/controls/KIVColumnListBoxCtrl.h"
#include "toolkit/controls/KIVListBoxCtrl.h"

#include <string>

namespace list_test {

using namespace dialog_test;

class ListDialog : public KIVDialog {
public:
    explicit ListDialog(LONG layout = 400) : KIVDialog(nullptr, layout) {}
    void OnControlNotify(int kind, int id, int value, bool) override {
        heard +=
            std::to_string(kind) + ":" + std::to_string(id) + ":" + std::to_string(value) + " ";
    }
    KIVListBoxCtrl* List(LONG id) const { return static_cast<KIVListBoxCtrl*>(GetControl(id)); }
    std::string heard;
};

class CountingLine : public KIVListBoxLine {
public:
    using KIVListBoxLine::KIVListBoxLine;
    void Draw(const KIVDrawBuffer& buffer, const RECT& rect, const KIVListLineLook& look) override {
        ++draws;
        KIVListBoxLine::Draw(buffer, rect, look);
    }
    int draws = 0;
};

inline POINT Screen(HWND hwnd, POINT client) {
    ClientToScreen(hwnd, &client);
    return client;
}

inline void Click(HWND hwnd, POINT client) {
    DeviceInput::MouseButton(VK_LBUTTON, true, Screen(hwnd, client));
    DeviceInput::MouseButton(VK_LBUTTON, false, Screen(hwnd, client));
}

inline void MoveTo(HWND hwnd, POINT client) {
    DeviceInput::MouseMove(Screen(hwnd, client));
}

inline void Press(int key) {
    DeviceInput::Key(key, true);
    DeviceInput::Key(key, false);
}

// A point inside line index, x pixels from its left edge.
inline POINT OnLine(const KIVListBoxCtrl& list, int index, int x) {
    const RECT rect = list.LineRect(index);
    return POINT{rect.left + x, (rect.top + rect.bottom) / 2};
}

inline std::u16string Texts(const KIVListBoxCtrl& list) {
    std::u16string texts;
    for (int i = 0; i < list.GetLineCount(); ++i)
        texts += std::u16string(list.GetLine(i)->GetText()) + u" ";
    return texts;
}

} // namespace list_test
