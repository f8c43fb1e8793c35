// The greeting window: a row per language, drawn into a 32-bit off-screen
// buffer and copied to the window when it is painted.
#pragma once

#include "platform/mfc/AfxWin.h"
#include "tools/kivhello/LanguagePanel.h"

#include <vector>

class GreetingWindow : public CWnd {
public:
    static constexpr int kWidth = 560;

    // Reads the languages' resources and creates the window, centred on the
    // screen; false when no language could be read.
    bool Create(const KIVString& resourceFolder, const char16_t* title);
    bool Painted() const { return painted_; }

protected:
    void OnPaint() override;
    void OnClose() override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;

private:
    void Render();

    std::vector<LanguagePanel> panels_;
    std::vector<DWORD> pixels_;
    int height_ = 0;
    bool painted_ = false;
};
