// A dialog's initialisation: its layout record read and applied, its
// controls made from the layout's records.
#include "toolkit/KIVDialog.h"

#include "toolkit/KIVApplication.h"
#include "toolkit/KIVControlFactory.h"
#include "toolkit/KIVDialogGeometry.h"
#include "toolkit/controls/KIVTextButtonCtrl.h"
#include "toolkit/resources/KIVFileSource.h"

namespace {

constexpr LONG kNoLayoutLeftMargin = 12;
constexpr LONG kNoLayoutTopMargin = 20;
constexpr int kNoLayoutPlace = 20;
constexpr int kNoLayoutSize = 100;

} // namespace

bool KIVDialog::OnInitDialog() {
    ::SetWindowLongPtrA(m_hWnd, GWLP_ID, dialogId_);
    if (!ApplyLayout())
        return false;
    OnInitControls();
    for (const auto& control : controls_)
        control->OnInit();
    TakeStartFocus();
    initialised_ = true;
    return true;
}

LONG KIVDialog::StartFocus() const {
    const KIVTextButtonCtrl* button = DefaultButton();
    return button ? button->GetId() : 0;
}

// A start control that cannot take the focus (hidden, disabled) hands it to
// the first control that can.
void KIVDialog::TakeStartFocus() {
    if (FocusedControl())
        return;
    const LONG id = StartFocus();
    if (id == 0)
        return;
    const KIVControl* control = GetControl(id);
    if (control && control->CanTakeFocus())
        SetFocusControl(id);
    else
        FocusNext();
}

bool KIVDialog::ReadLayout(KIVDialogLayout* layout) const {
    if (!alternativeFile_.empty()) {
        KIVString path(alternativeFile_.c_str());
        char narrow[MAX_PATH] = {};
        return path.ToNarrow(narrow, MAX_PATH) &&
               KIVDialogFile::ReadLayout(KIVFileSource(narrow), 0, layout);
    }
    KIVApplication* app = KIVApplication::Get();
    return app &&
           KIVDialogFile::ReadLayout(KIVFileSource(app->ResourcePath(KIVApplication::kDialogFile)),
                                     dialogId_, layout);
}

bool KIVDialog::ApplyLayout() {
    if (dialogId_ == -1 && alternativeFile_.empty()) {
        leftMargin_ = kNoLayoutLeftMargin;
        topMargin_ = kNoLayoutTopMargin;
        ::SetWindowPos(m_hWnd, nullptr, kNoLayoutPlace, kNoLayoutPlace, kNoLayoutSize,
                       kNoLayoutSize, SWP_NOZORDER | SWP_NOACTIVATE);
        ::GetWindowRect(m_hWnd, &windowRect_);
        AllocateBuffer();
        return true;
    }
    KIVDialogLayout layout;
    if (!ReadLayout(&layout))
        return false;
    if (!layout.title.empty())
        SetTitle(layout.title.c_str());
    layoutFlags_ = layout.flags;
    KIVDialogMargins(layout.leftMargin, layout.topMargin, layout.flags, &leftMargin_, &topMargin_);
    PlaceWindow(layout);
    AllocateBuffer();
    CreateControls(layout);
    if (!(layoutFlags_ & kHidden))
        ::ShowWindow(m_hWnd, SW_SHOW);
    return true;
}

void KIVDialog::PlaceWindow(const KIVDialogLayout& layout) {
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const RECT fullScreen{0, 0, ::GetSystemMetrics(SM_CXFULLSCREEN),
                          ::GetSystemMetrics(SM_CYFULLSCREEN)};
    RECT parentRect{};
    const bool hasParent =
        parent_ && parent_->GetSafeHwnd() && ::GetWindowRect(parent_->GetSafeHwnd(), &parentRect);
    const POINT at = KIVPlaceDialog(layout.x, layout.y, layout.width, layout.height, layout.flags,
                                    hasParent ? &parentRect : nullptr, workArea, fullScreen);
    ::SetWindowPos(m_hWnd, nullptr, at.x, at.y, layout.width, layout.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::GetWindowRect(m_hWnd, &windowRect_);
}

void KIVDialog::CreateControls(const KIVDialogLayout& layout) {
    for (const KIVControlRecord& record : layout.controls)
        if (std::unique_ptr<KIVControl> control = KIVCreateControl(this, record))
            AddControl(std::move(control));
}
