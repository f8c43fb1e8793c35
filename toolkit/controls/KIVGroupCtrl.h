// KIVGroupCtrl: an invisible container. At the dialog's initialisation it
// takes as members the controls whose rectangles lie inside its own (and
// that have no container yet). Showing or enabling the group shows or
// enables its members as each last asked to be; while the group is hidden
// or disabled a member asked to appear or to be enabled waits for the group.
// A radio group ends at the group's edge.
#pragma once

#include "toolkit/KIVControl.h"

class KIVGroupCtrl : public KIVControl {
public:
    KIVGroupCtrl(KIVDialog* dialog, const KIVControlRecord& record);

    void OnInit() override;
    const std::vector<KIVControl*>& Members() const { return members_; }
    // A control made in code joins the group.
    void AddMember(KIVControl* member);

    void Show(bool show) override;
    void Enable(bool enable) override;
    bool ShowMember(KIVControl* member, bool show) override;
    bool EnableMember(KIVControl* member, bool enable) override;
    void ReplaceMember(KIVControl* member, KIVControl* replacement) override;
    // The group is never the control under the mouse: its members are.
    bool HitTest(POINT) const override { return false; }
    LONG TypeCode() const override { return 28; }

private:
    struct Member {
        bool visible;
        bool enabled;
    };
    Member* Wish(KIVControl* member);

    std::vector<KIVControl*> members_;
    std::vector<Member> wishes_;
    bool applying_ = false;
};
