// KIVDialogCustomSetup: the custom page. It lists the components of the
// Custom setup type offered in the current language, each with a check box
// and its size, shows the space the checked ones need and the space free on
// the folder's disk, and on Next stores the choices and runs the same check
// as the setup type page. Next is enabled only while a component is checked.
#pragma once

#include "wizard/KIVColumnListBoxLineBis.h"
#include "wizard/KIVDialogInstallFolder.h"

#include <memory>
#include <vector>

class KIVColumnListBoxCtrl;

class KIVDialogCustomSetup : public KIVDialogInstallFolder {
public:
    static constexpr LONG kTemplate = 14;
    static constexpr LONG kHint = 1000;
    static constexpr LONG kFreeSpace = 1001;
    static constexpr LONG kNeededSpace = 1002;
    static constexpr LONG kListPlace = 1006;
    static constexpr int kTextNameTitle = 110;
    static constexpr int kTextSizeTitle = 111;
    static constexpr int kSizeWidth = 82;

    explicit KIVDialogCustomSetup(CWnd* parent);
    ~KIVDialogCustomSetup() override;

    void OnInitControls() override;
    void OnNext() override;
    bool TakeResponse(const SetupResponse& response, KIVString* refusal) override;
    void OnBack() override;
    void OnControlNotify(int kind, int id, int value, bool flag) override;
    void OnControlEvent(int kind, int id, int value) override;
    // The component list.
    LONG StartFocus() const override;

    KIVColumnListBoxCtrl* List() const { return list_; }
    std::int32_t NeededBytes() const { return total_; }

private:
    void FillList();
    void RecountNeededSpace();
    void ShowFreeSpace();
    void ShowNeededSpace();
    bool AnyChosen() const;
    void EnableNext();
    void ReadPage();
    SetupType* CustomType() const;
    bool Offered(const Component& component) const;

    KIVColumnListBoxCtrl* list_ = nullptr;
    std::int32_t total_ = 0;
};
