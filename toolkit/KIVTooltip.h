// KIVTooltip: the one tooltip of the user-interface thread, a small popup
// window that shows a control's tooltip text with the application's font 0
// on a pale background framed by a dark line.
#pragma once

#include "toolkit/KIVString.h"
#include "toolkit/KIVWnd.h"

#include <vector>

class KIVTooltip : public KIVWnd {
public:
    static constexpr DWORD kBackground = 0x00FFFFE1;
    static constexpr DWORD kFrame = 0x00404040;
    static constexpr DWORD kTextColour = 0x00000000;
    static constexpr int kPadding = 3;

    static KIVTooltip& Get();
    // Shows text with its top-left corner at the screen point.
    void Show(const KIVString& text, POINT screen);
    void Hide();
    bool IsShown() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
    const KIVString& Text() const { return text_; }

protected:
    void OnPaint() override;

private:
    void Render(int width, int height);

    KIVString text_;
    std::vector<DWORD> pixels_;
    int width_ = 0;
    int height_ = 0;
};
