// The message box's size, place and controls, worked out from its text in
// font 0.
#include "toolkit/KIVApplication.h"
#include "toolkit/KIVMessageBoxDlg.h"
#include "toolkit/controls/KIVLabelCtrl.h"
#include "toolkit/controls/KIVPictureCtrl.h"
#include "toolkit/controls/KIVTextButtonCtrl.h"
#include "toolkit/drawing/KIVPainter.h"
#include "toolkit/drawing/KIVPrefixText.h"
#include "toolkit/drawing/KIVWindowFrame.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <algorithm>

namespace {

constexpr int kMinimumWidth = 116;
constexpr int kMinimumHeight = 120;
// The text begins 16 pixels below the title band.
constexpr int kTextTop = KIVWindowFrame::kContentTop + 16;
constexpr int kIconLeft = 16;
constexpr int kButtonWidth = 60;
constexpr int kButtonGap = 12;      // between two buttons (a pitch of 72)
constexpr int kCaptionPadding = 12; // a caption's room inside its button
constexpr int kMaxCaption = 200;
constexpr int kTextRightMargin = 12;

// Text area edges: after the icon (or the margin) to 12 before the edge.
int TextLeft(int iconWidth) {
    return iconWidth > 0 ? iconWidth + 28 : 20;
}

// The width of the text's widest line, its lines ending at line feeds.
int WidestLine(const KIVFont& font, const char16_t* text) {
    int widest = 0;
    while (true) {
        const char16_t* end = text;
        while (*end && *end != u'\n')
            ++end;
        widest =
            std::max(widest, KIVTextPainter::MeasureText(font, text, static_cast<int>(end - text)));
        if (!*end)
            return widest;
        text = end + 1;
    }
}

// 60 pixels, or wider for all buttons when a caption would be cut in 60
// (a language's longer captions, such as "Yes to All").
int ButtonWidth(const KIVFont& font, const std::vector<KIVString>& captions) {
    int width = kButtonWidth;
    for (const KIVString& caption : captions)
        width = std::max(width, KIVPrefixText::Measure(font, caption) + kCaptionPadding);
    return width;
}

} // namespace

// As wide as the text's widest line in the text area, within the button
// row's minimum and half the screen; as high as the lines the label breaks
// the text into at that width, so that the label draws all of them.
SIZE KIVMessageBoxDlg::BoxSize(const KIVFont& font, int iconWidth, int buttonWidth) const {
    const int halfScreen = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
    const int left = TextLeft(iconWidth);
    const int wanted = left + WidestLine(font, text_) + kTextRightMargin;
    const ButtonSet& set = FindSet(SetValue());
    // The set's minimum holds its row of 60-pixel buttons; wider ones widen it.
    const int count = static_cast<int>(set.buttons.size());
    const int row = set.minimumWidth + count * (buttonWidth - kButtonWidth);
    const int width = wanted < halfScreen ? std::max({wanted, kMinimumWidth, row}) : halfScreen;
    const int area = std::max(1, width - kTextRightMargin - left);
    const int lines = static_cast<int>(KIVLabelCtrl::BreakLines(font, text_, area).size());
    const int height = std::min(std::max(lines * font.LineHeight() + 81, kMinimumHeight),
                                ::GetSystemMetrics(SM_CYFULLSCREEN) - 16);
    return SIZE{width, height};
}

void KIVMessageBoxDlg::OnInitControls() {
    KIVApplication* app = KIVApplication::Get();
    const KIVFont* font = app ? app->GetFont(0) : nullptr;
    if (!font)
        return;
    SIZE icon{};
    if (iconId_ >= 0 && !KIVPainter::PictureSize(iconId_, &icon))
        iconId_ = -1;
    std::vector<KIVString> captions;
    for (LONG button : FindSet(SetValue()).buttons)
        captions.push_back(app->GetText(CaptionOf(button)).Left(kMaxCaption));
    const int buttonWidth = ButtonWidth(*font, captions);
    const SIZE box = BoxSize(*font, icon.cx, buttonWidth);
    PlaceWindowAt((::GetSystemMetrics(SM_CXFULLSCREEN) - box.cx) / 2,
                  (::GetSystemMetrics(SM_CYFULLSCREEN) - box.cy) / 2, box.cx, box.cy);
    SetWindowFrame(true);
    SetTitle(caption_);
    AddControls(box, icon, captions, buttonWidth);
}

void KIVMessageBoxDlg::AddControls(SIZE box, SIZE icon, const std::vector<KIVString>& captions,
                                   int buttonWidth) {
    if (iconId_ >= 0)
        AddControl(std::make_unique<KIVPictureCtrl>(
            this, kIconId, RECT{kIconLeft, kTextTop, kIconLeft + icon.cx, kTextTop + icon.cy},
            iconId_));
    auto label = std::make_unique<KIVLabelCtrl>(
        this, kTextId, RECT{TextLeft(icon.cx), kTextTop, box.cx - kTextRightMargin, box.cy - 37}, 0,
        KIVLabelCtrl::kLeft | KIVLabelCtrl::kNoPrefix);
    label->SetColour(0);
    label->SetText(text_);
    AddControl(std::move(label));
    const ButtonSet& set = FindSet(SetValue());
    const int count = static_cast<int>(set.buttons.size());
    // The last button ends 8 pixels before the edge.
    const int pitch = buttonWidth + kButtonGap;
    for (int i = 0; i < count; ++i) {
        const int left = box.cx - 8 - buttonWidth - pitch * (count - 1 - i);
        auto button = std::make_unique<KIVTextButtonCtrl>(
            this, set.buttons[i], RECT{left, box.cy - 29, left + buttonWidth, box.cy - 8}, 0);
        button->SetText(captions[i]);
        button->SetDefault(set.buttons[i] == set.defaultButton);
        AddControl(std::move(button));
    }
}
