// The folder browser's window and controls, placed in code.
#include "toolkit/KIVApplication.h"
#include "toolkit/KIVFolderBrowser.h"
#include "toolkit/KIVFolderBrowserTree.h"
#include "toolkit/controls/KIVEditCtrl.h"
#include "toolkit/controls/KIVLabelCtrl.h"
#include "toolkit/controls/KIVTextButtonCtrl.h"
#include "toolkit/drawing/KIVPrefixText.h"

#include <algorithm>

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 400;
constexpr int kMargin = 12;
constexpr int kButtonHeight = 22;
constexpr int kButtonGap = 8;
constexpr int kMinimumButton = 75;
constexpr int kCaptionPadding = 16;
constexpr LONG kEditRecordType = 19;
constexpr int kInstructionHeight = 32; // two lines
constexpr int kStatusHeight = 16;
constexpr int kGap = 4;

int ButtonWidth(const KIVString& caption) {
    KIVApplication* app = KIVApplication::Get();
    const KIVFont* font = app ? app->GetFont(0) : nullptr;
    const int text = font ? KIVPrefixText::Measure(*font, caption) : 0;
    return std::max(kMinimumButton, text + kCaptionPadding);
}

} // namespace

KIVString KIVFolderBrowser::Text(int id, const char16_t* english) const {
    KIVApplication* app = KIVApplication::Get();
    const KIVString text = app ? app->GetText(id) : KIVString();
    return text.IsEmpty() ? KIVString(english) : text;
}

// The window grows by the title band over the content.
void KIVFolderBrowser::OnInitControls() {
    SetWindowFrame(true);
    const int height = kHeight + ContentTop();
    PlaceWindowAt((::GetSystemMetrics(SM_CXFULLSCREEN) - kWidth) / 2,
                  (::GetSystemMetrics(SM_CYFULLSCREEN) - height) / 2, kWidth, height);
    SetTitle(Text(kTitleText, u"Browse for Folder"));
    const int treeTop = AddLabels(kWidth);
    AddTreeAndField(treeTop, kWidth, height);
    AddButtons(kWidth, height);
    Tree()->ShowRoots(request_.root);
    SetFocusControl(kTreeId);
    Callback(BFFM_INITIALIZED, 0);
    if (Tree()->GetCurrentLine() < 0 && Tree()->GetLineCount() > 0)
        Tree()->Select(0);
}

// The instruction (two lines, none when empty), and under it the status
// line when asked for; the top of the tree below them.
int KIVFolderBrowser::AddLabels(int width) {
    const KIVString text(request_.info->lpszTitle ? request_.info->lpszTitle : "");
    const int top = ContentTop() + kMargin;
    const int statusTop = top + (text.IsEmpty() ? 0 : kInstructionHeight + kGap);
    auto instruction = std::make_unique<KIVLabelCtrl>(
        this, kInstructionId, RECT{kMargin, top, width - kMargin, statusTop - kGap}, 0,
        KIVLabelCtrl::kLeft | KIVLabelCtrl::kNoPrefix);
    instruction->SetText(text);
    AddControl(std::move(instruction));
    auto status = std::make_unique<KIVLabelCtrl>(
        this, kStatusId, RECT{kMargin, statusTop, width - kMargin, statusTop + kStatusHeight}, 0,
        KIVLabelCtrl::kLeft | KIVLabelCtrl::kNoPrefix);
    status->Show(Has(BIF_STATUSTEXT));
    AddControl(std::move(status));
    return Has(BIF_STATUSTEXT) ? statusTop + kStatusHeight + kGap : statusTop;
}

void KIVFolderBrowser::AddTreeAndField(int top, int width, int height) {
    AddControl(std::make_unique<KIVFolderBrowserTree>(
        this, kTreeId, RECT{kMargin, top, width - kMargin, height - 78}, 0));
    KIVControlRecord record;
    record.type = kEditRecordType;
    record.id = kPathId;
    record.left = kMargin;
    record.top = height - 70;
    record.right = width - kMargin;
    record.bottom = height - 48;
    auto field = std::make_unique<KIVEditCtrl>(this, record);
    field->Show(Has(BIF_EDITBOX));
    AddControl(std::move(field));
}

// New folder on the left; OK and Cancel on the right, in that order.
void KIVFolderBrowser::AddButtons(int width, int height) {
    const int top = height - 10 - kButtonHeight;
    const KIVString newFolder = Text(kNewFolderCaptionText, u"New folder");
    auto make = std::make_unique<KIVTextButtonCtrl>(
        this, kNewFolderId,
        RECT{kMargin, top, kMargin + ButtonWidth(newFolder), top + kButtonHeight}, 0);
    make->SetText(newFolder);
    make->Show(Has(BIF_NEWDIALOGSTYLE));
    AddControl(std::move(make));
    const KIVString ok = Text(0, u"OK");
    const KIVString cancel = Text(1, u"Cancel");
    const int buttonWidth = std::max(ButtonWidth(ok), ButtonWidth(cancel));
    int left = width - kMargin - 2 * buttonWidth - kButtonGap;
    for (const auto& [id, caption] : {std::pair<LONG, KIVString>{IDOK, ok}, {IDCANCEL, cancel}}) {
        auto button = std::make_unique<KIVTextButtonCtrl>(
            this, id, RECT{left, top, left + buttonWidth, top + kButtonHeight}, 0);
        button->SetText(caption);
        button->SetDefault(id == IDOK);
        AddControl(std::move(button));
        left += buttonWidth + kButtonGap;
    }
}
