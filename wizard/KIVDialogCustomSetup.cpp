#include "wizard/KIVDialogCustomSetup.h"

#include "setup/SetupFreeSpace.h"
#include "toolkit/KIVUtf8.h"
#include "toolkit/controls/KIVColumnListBoxCtrl.h"
#include "wizard/KIVDialogSetupType.h"

#include <algorithm>
#include <cstring>

KIVDialogCustomSetup::KIVDialogCustomSetup(CWnd* parent)
    : KIVDialogInstallFolder(parent, kTemplate) {}

KIVDialogCustomSetup::~KIVDialogCustomSetup() = default;

void KIVDialogCustomSetup::OnInitControls() {
    KIVDialogInstallFolder::OnInitControls();
    EnableDefinedSetupTypes(*this, App().state.description);
    ShowFreeSpace();
    if (KIVControl* place = GetControl(kListPlace)) {
        auto list = std::make_unique<KIVColumnListBoxCtrl>(*place);
        list_ = list.get();
        ReplaceControl(place, std::move(list));
        list_->AddColumn(App().GetText(kTextNameTitle));
        list_->AddColumn(App().GetText(kTextSizeTitle));
        list_->SetColumnWidth(1, kSizeWidth);
    }
    FillList();
    ShowNeededSpace();
    EnableNext();
    if (list_ && list_->GetListFont())
        list_->SetLineHeight(list_->GetListFont()->LineHeight() + 4);
    // The name column takes the list's room, which a page without a side
    // image has widened; the lines decide whether a scroll bar shares it.
    if (list_)
        list_->FillWidthWithColumn(0);
    SetControlText(kFolder, App().state.variables.installDst);
}

LONG KIVDialogCustomSetup::StartFocus() const {
    return list_ ? list_->GetId() : KIVDialogInstallFolder::StartFocus();
}

SetupType* KIVDialogCustomSetup::CustomType() const {
    for (const auto& type : App().state.description.setupTypes)
        if (std::strcmp(type->name, "Custom") == 0)
            return type.get();
    return nullptr;
}

bool KIVDialogCustomSetup::Offered(const Component& component) const {
    return (component.languages & App().state.currentLanguage) != 0;
}

void KIVDialogCustomSetup::FillList() {
    total_ = 0;
    SetupType* custom = CustomType();
    if (!custom || !list_)
        return;
    KIVInstallApp& app = App();
    for (Component* component : custom->components) {
        if (!Offered(*component))
            continue;
        auto line = std::make_unique<KIVColumnListBoxLineBis>(list_, KIVString(component->name),
                                                              true, component);
        line->SetChecked(component->selected);
        list_->SetCellText(line.get(), 0, KIVString(component->name));
        component->size = ComputeComponentSize(*component);
        const std::int32_t size = component->selected ? component->size : 0;
        total_ = AddSizes(total_, size);
        list_->SetCellText(line.get(), 1, app.SizeText(size));
        component->lineIndex = list_->GetLineCount();
        list_->AddLine(std::move(line));
    }
}

// A line was toggled (by a click on its box or by the space bar): each line
// shows its component's size when checked and 0 bytes when not, and the
// space needed is their sum.
void KIVDialogCustomSetup::RecountNeededSpace() {
    total_ = 0;
    for (int i = 0; i < list_->GetLineCount(); ++i) {
        auto* line = dynamic_cast<KIVColumnListBoxLineBis*>(list_->GetLine(i));
        if (!line)
            continue;
        const std::int32_t size = line->IsChecked() ? line->GetComponent()->size : 0;
        if (line->GetCell(1) != App().SizeText(size))
            list_->SetCellText(line, 1, App().SizeText(size));
        total_ = AddSizes(total_, size);
    }
    ShowNeededSpace();
    EnableNext();
}

// A custom setup installs the chosen components and nothing else: with none
// chosen there is nothing to install, so Next waits for a choice.
bool KIVDialogCustomSetup::AnyChosen() const {
    if (list_)
        for (int i = 0; i < list_->GetLineCount(); ++i)
            if (auto* line = dynamic_cast<KIVColumnListBoxLineBis*>(list_->GetLine(i)))
                if (line->IsChecked())
                    return true;
    return false;
}

void KIVDialogCustomSetup::EnableNext() {
    EnableControl(kNextButton, AnyChosen());
}

void KIVDialogCustomSetup::ShowFreeSpace() {
    double free = 0.0;
    if (FreeSpaceOf(App().state.variables.installDst, &free))
        SetControlText(kFreeSpace, App().SizeText(free));
    else
        SetControlText(kFreeSpace, u"?");
}

void KIVDialogCustomSetup::ShowNeededSpace() {
    SetControlText(kNeededSpace, App().SizeText(total_));
}

// Each listed component takes its line's check state. The line is found by
// its component rather than by its first place: sorting the list by a title
// moves the lines.
void KIVDialogCustomSetup::ReadPage() {
    if (list_)
        for (int i = 0; i < list_->GetLineCount(); ++i)
            if (auto* line = dynamic_cast<KIVColumnListBoxLineBis*>(list_->GetLine(i)))
                line->GetComponent()->selected = line->IsChecked();
    ReadFolder();
}

// Exactly the response's components are checked; a name the list does not
// show (unknown, or not offered in this language) is refused.
bool KIVDialogCustomSetup::TakeResponse(const SetupResponse& response, KIVString* refusal) {
    if (response.folder) {
        SetControlText(kFolder, KIVWideFromUtf8(*response.folder));
        ReadFolder();
        ShowFreeSpace();
    }
    if (!response.components || !list_)
        return true;
    std::vector<KIVColumnListBoxLineBis*> lines;
    for (int i = 0; i < list_->GetLineCount(); ++i)
        if (auto* line = dynamic_cast<KIVColumnListBoxLineBis*>(list_->GetLine(i)))
            lines.push_back(line);
    for (const std::string& name : *response.components) {
        const KIVString wanted = KIVWideFromUtf8(name);
        if (std::none_of(lines.begin(), lines.end(), [&](KIVColumnListBoxLineBis* line) {
                return wanted.CompareNoCase(KIVString(line->GetComponent()->name)) == 0;
            })) {
            *refusal = u"the component \"" + wanted + u"\" is not offered";
            return false;
        }
    }
    for (KIVColumnListBoxLineBis* line : lines) {
        const KIVString own(line->GetComponent()->name);
        line->SetChecked(std::any_of(response.components->begin(), response.components->end(),
                                     [&](const std::string& name) {
                                         return own.CompareNoCase(KIVWideFromUtf8(name)) == 0;
                                     }));
    }
    RecountNeededSpace();
    if (!AnyChosen()) {
        *refusal = u"no component is chosen";
        return false;
    }
    return true;
}

void KIVDialogCustomSetup::OnNext() {
    if (!AnyChosen())
        return;
    ReadPage();
    DiskSpaceCheck();
}

void KIVDialogCustomSetup::OnBack() {
    ReadPage();
    EndDialog(kBack);
}

void KIVDialogCustomSetup::OnControlNotify(int kind, int id, int value, bool flag) {
    if (kind == KIVControl::kNotifyClicked && id == kListPlace) {
        if (list_)
            RecountNeededSpace();
        return;
    }
    if (kind == KIVControl::kNotifyClicked && id == kBrowse) {
        if (flag) {
            BrowseForFolder();
            ShowFreeSpace();
        }
        return;
    }
    KIVDialogInstallFolder::OnControlNotify(kind, id, value, flag);
}

// Typing in the folder field measures the free space of the new folder.
void KIVDialogCustomSetup::OnControlEvent(int kind, int id, int value) {
    if (kind == KIVControl::kEventChanged && id == kFolder) {
        ReadFolder();
        ShowFreeSpace();
        return;
    }
    KIVDialogInstallFolder::OnControlEvent(kind, id, value);
}
