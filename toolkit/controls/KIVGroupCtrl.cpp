#include "toolkit/controls/KIVGroupCtrl.h"

#include "toolkit/KIVDialog.h"

#include <algorithm>

KIVGroupCtrl::KIVGroupCtrl(KIVDialog* dialog, const KIVControlRecord& record)
    : KIVControl(dialog, record) {}

void KIVGroupCtrl::OnInit() {
    KIVDialog* dialog = GetDialog();
    if (!dialog)
        return;
    const RECT& area = GetRect();
    for (int i = 0; i < dialog->ControlCount(); ++i) {
        KIVControl* control = dialog->ControlAt(i);
        const RECT& rect = control->GetRect();
        if (control != this && !control->GetContainer() && rect.left >= area.left &&
            rect.top >= area.top && rect.right <= area.right && rect.bottom <= area.bottom)
            AddMember(control);
    }
}

// A member of a hidden or disabled group takes on the group's state, and
// keeps its own to return to.
void KIVGroupCtrl::AddMember(KIVControl* member) {
    members_.push_back(member);
    wishes_.push_back(Member{member->IsVisible(), member->IsEnabled()});
    member->SetContainer(this);
    applying_ = true;
    if (!IsVisible())
        member->Show(false);
    if (!IsEnabled())
        member->Enable(false);
    applying_ = false;
}

KIVGroupCtrl::Member* KIVGroupCtrl::Wish(KIVControl* member) {
    const auto at = std::find(members_.begin(), members_.end(), member);
    return at == members_.end() ? nullptr : &wishes_[at - members_.begin()];
}

void KIVGroupCtrl::Show(bool show) {
    KIVControl::Show(show);
    applying_ = true;
    for (std::size_t i = 0; i < members_.size(); ++i)
        members_[i]->Show(show && wishes_[i].visible);
    applying_ = false;
}

void KIVGroupCtrl::Enable(bool enable) {
    KIVControl::Enable(enable);
    applying_ = true;
    for (std::size_t i = 0; i < members_.size(); ++i)
        members_[i]->Enable(enable && wishes_[i].enabled);
    applying_ = false;
}

bool KIVGroupCtrl::ShowMember(KIVControl* member, bool show) {
    Member* wish = applying_ ? nullptr : Wish(member);
    if (!wish)
        return false;
    wish->visible = show;
    return show && !IsVisible();
}

bool KIVGroupCtrl::EnableMember(KIVControl* member, bool enable) {
    Member* wish = applying_ ? nullptr : Wish(member);
    if (!wish)
        return false;
    wish->enabled = enable;
    return enable && !IsEnabled();
}

void KIVGroupCtrl::ReplaceMember(KIVControl* member, KIVControl* replacement) {
    std::replace(members_.begin(), members_.end(), member, replacement);
}
