#include "tools/kivhello/GreetingWindow.h"

#include "toolkit/KIVSystem.h"

namespace {

constexpr DWORD kPaper = 0x00F4F1EC;
constexpr DWORD kRule = 0x00D8D2C8;
const char* const kLanguages[] = {"English", "French", "German", "Japanese"};

} // namespace

bool GreetingWindow::Create(const KIVString& resourceFolder, const char16_t* title) {
    for (const char* language : kLanguages) {
        LanguagePanel panel;
        if (panel.Load(resourceFolder, language, std::string(language) == "Japanese"))
            panels_.push_back(std::move(panel));
    }
    if (panels_.empty())
        return false;
    height_ = static_cast<int>(panels_.size()) * LanguagePanel::kHeight + 16;
    pixels_.assign(static_cast<std::size_t>(kWidth) * static_cast<std::size_t>(height_), kPaper);
    Render();
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height_) / 2;
    if (!CreateEx(0, nullptr, "", WS_POPUP | WS_CAPTION | WS_VISIBLE, x, y, kWidth, height_,
                  nullptr, nullptr))
        return false;
    KIVSetWindowText(m_hWnd, title);
    return true;
}

void GreetingWindow::Render() {
    KIVDrawBuffer buffer;
    buffer.pixels = pixels_.data();
    buffer.width = kWidth;
    buffer.height = height_;
    buffer.stride = kWidth;
    buffer.clip = {0, 0, kWidth, height_};
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const int top = 8 + static_cast<int>(i) * LanguagePanel::kHeight;
        if (i > 0)
            for (int x = 24; x < kWidth - 24; ++x)
                *buffer.At(x, top) = kRule;
        panels_[i].Draw(buffer, top);
    }
}

void GreetingWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, kWidth, static_cast<DWORD>(height_), 0, 0, 0,
                      static_cast<UINT>(height_), pixels_.data(), &info, DIB_RGB_COLORS);
    EndPaint(m_hWnd, &paint);
    painted_ = true;
}

void GreetingWindow::OnClose() {
    PostQuitMessage(0);
}

void GreetingWindow::OnKeyDown(UINT nChar, UINT, UINT) {
    if (nChar == VK_ESCAPE || nChar == VK_RETURN)
        PostQuitMessage(0);
}
