#include "examples/gallery/GalleryDialog.h"

#include "toolkit/KIVMessageBox.h"
#include "toolkit/controls/KIVColumnListBoxCtrl.h"
#include "toolkit/controls/KIVColumnListBoxLine.h"
#include "toolkit/controls/KIVListBoxCtrl.h"
#include "toolkit/controls/KIVMultiLineEditCtrl.h"
#include "toolkit/controls/KIVProgressBarCtrl.h"
#include "toolkit/controls/KIVRadioButtonCtrl.h"

#include <memory>
#include <string>

namespace {

constexpr LONG kMultiLine = 45;
constexpr LONG kProgress = 47;
constexpr LONG kTypical = 22;
constexpr LONG kComponents = 61;
constexpr LONG kDetails = 63;

const char16_t kAgreement[] =
    u"SOFTWARE LICENCE AGREEMENT\r\n\r\n"
    u"Please read this agreement carefully before you install the product. By "
    u"choosing \"I accept\" you agree to be bound by its terms.\r\n\r\n"
    u"1. Licence. You may install and use one copy of the product on one computer at a "
    u"time. You may make one copy for backup purposes.\r\n\r\n"
    u"2. Restrictions. You may not rent, lease or lend the product, nor reverse engineer "
    u"it except where the law expressly allows it.\r\n\r\n"
    u"3. No warranty. The product is provided as it is, without warranty of any kind, to "
    u"the extent the law permits.\r\n\r\n"
    u"4. Ending. This licence ends when you fail to keep its terms; you then remove every "
    u"copy of the product.";

// A message box of each button of the bottom row: its flags (button set
// and icon) and its message.
struct BoxSample {
    DWORD flags;
    const char16_t* text;
};

const BoxSample kBoxes[] = {
    {0x40000, u"The product has been installed."},
    {0x20000 | 3, u"The setup will now copy the files.\nContinue?"},
    {0x20000 | 12, u"Do you want to start the product now?"},
    {0x20000 | 14, u"Keep the settings of the earlier version?"},
    {0x10000 | 130, u"The second disk could not be read. Insert it and try again."},
    {0x10000 | 194, u"A file could not be copied:\nC:\\Program Files\\Kiv\\kiv.dll"},
    {0x80000 | 62, u"The file kiv.ini exists already. Replace it?"},
    {0x40000 | 515, u"Ask for help on this step with the Help button."},
};

const char16_t* const kComponentNames[] = {u"Program files", u"Help files",   u"Samples",
                                           u"Fonts",         u"Dictionaries", u"Tools"};

struct Detail {
    const char16_t* name;
    const char16_t* size;
    const char16_t* kind;
};

const Detail kDetailLines[] = {
    {u"kiv.exe", u"1,204 KB", u"Program"},      {u"kiv.dll", u"512 KB", u"Library"},
    {u"readme.txt", u"12 KB", u"Text"},         {u"samples.zip", u"3,310 KB", u"Archive"},
    {u"help.chm", u"880 KB", u"Help"},          {u"fonts.dat", u"2,048 KB", u"Data"},
    {u"licence.txt", u"4 KB", u"Text"},         {u"tools.exe", u"96 KB", u"Program"},
    {u"words.dic", u"6,720 KB", u"Dictionary"},
};

} // namespace

GalleryDialog::GalleryDialog(const KIVString& layoutFile) : KIVDialog(nullptr, 0, layoutFile) {}

void GalleryDialog::OnInitControls() {
    if (auto* text = dynamic_cast<KIVMultiLineEditCtrl*>(GetControl(kMultiLine)))
        text->SetText(kAgreement);
    if (auto* progress = dynamic_cast<KIVProgressBarCtrl*>(GetControl(kProgress))) {
        progress->SetRange(100);
        progress->SetPosition(60);
    }
    if (auto* typical = dynamic_cast<KIVRadioButtonCtrl*>(GetControl(kTypical)))
        typical->SetChecked(1);
    FillLists();
    FillColumnList();
}

void GalleryDialog::FillLists() {
    auto* list = dynamic_cast<KIVListBoxCtrl*>(GetControl(kComponents));
    if (!list)
        return;
    for (const char16_t* name : kComponentNames) {
        auto line = std::make_unique<KIVListBoxLine>(list, name, true);
        line->SetChecked(name[0] != u'S');
        list->AddLine(std::move(line));
    }
    list->Select(0);
}

// The column list takes the place of the layout's placeholder.
void GalleryDialog::FillColumnList() {
    KIVControl* placeholder = GetControl(kDetails);
    if (!placeholder)
        return;
    auto made = std::make_unique<KIVColumnListBoxCtrl>(*placeholder);
    KIVColumnListBoxCtrl* list = made.get();
    if (!ReplaceControl(placeholder, std::move(made)))
        return;
    list->AddColumn(u"Name");
    list->AddColumn(u"Size");
    list->AddColumn(u"Kind");
    list->SetColumnWidth(0, 84);
    list->SetColumnWidth(1, 64);
    // A sorted list places a line by its cells: they are filled first.
    for (const Detail& detail : kDetailLines) {
        auto line = std::make_unique<KIVColumnListBoxLine>(list, detail.name, false);
        line->SetCell(0, detail.name);
        line->SetCell(1, detail.size);
        line->SetCell(2, detail.kind);
        list->AddLine(std::move(line));
    }
}

void GalleryDialog::OnControlNotify(int kind, int id, int value, bool flag) {
    if (kind == KIVControl::kNotifyClicked && id >= kFirstBoxButton && id <= kLastBoxButton)
        ShowMessageBox(id);
    else
        KIVDialog::OnControlNotify(kind, id, value, flag);
}

void GalleryDialog::ShowMessageBox(LONG button) {
    const BoxSample& sample = kBoxes[button - kFirstBoxButton];
    const int answer = KIVMessageBox(this, sample.text, u"Gallery", sample.flags, 1);
    static const char16_t* const kNames[] = {u"none",  u"OK",     u"Cancel",     u"Abort",
                                             u"Retry", u"Ignore", u"Yes",        u"No",
                                             u"",      u"Help",   u"Yes to All", u"No to All"};
    const std::u16string name = answer >= 0 && answer <= 11 ? kNames[answer] : u"?";
    const std::u16string shown = u"Answer: " + name;
    if (KIVControl* label = GetControl(kAnswer))
        label->SetText(shown.c_str());
}

// The gallery is the program's main window: its end is the program's.
void GalleryDialog::EndDialog(int result) {
    KIVDialog::EndDialog(result);
    ::PostQuitMessage(0);
}
