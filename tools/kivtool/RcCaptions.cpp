#include "tools/kivtool/RcCaptions.h"

#include "toolkit/KIVFolderBrowser.h"
#include "toolkit/KIVMessageBoxDlg.h"
#include "toolkit/controls/KIVCheckBoxCtrl.h"
#include "toolkit/controls/KIVLabelCtrl.h"
#include "toolkit/controls/KIVRadioButtonCtrl.h"
#include "toolkit/drawing/KIVPrefixText.h"
#include "toolkit/resources/KIVBitmapFile.h"
#include "toolkit/resources/KIVMemorySource.h"

#include <map>
#include <memory>

namespace {

constexpr std::int32_t kLabel = 2;
constexpr std::int32_t kTextButton = 8;
constexpr std::int32_t kCheckBox = 15;
constexpr std::int32_t kRadioButton = 17;

// One control's caption as the checks see it.
struct Caption {
    std::int32_t id = 0;
    std::u16string text;
    char16_t mnemonic = 0;
};

class CaptionChecker {
public:
    explicit CaptionChecker(const RcCaptionSources& sources)
        : sources_(sources), fontFile_(sources.fonts->data(), sources.fonts->size()),
          pictureFile_(sources.pictures->data(), sources.pictures->size()) {}

    bool Dialog(std::int32_t id, const RcDialog& dialog, const RcTexts& texts, RcError* error);
    // A row of buttons whose captions are texts, named for the errors.
    bool Buttons(const std::string& name, const std::vector<int>& captions, const RcTexts& texts,
                 RcError* error) const;

private:
    const KIVFont* Font(LONG id);
    int PictureWidth(LONG id) const;
    char16_t MnemonicOf(const RcControl& control, const std::u16string& text);
    // The room a control leaves for its caption; -1 when it has no caption
    // to fit (labels clip or wrap theirs).
    int Room(const RcControl& control) const;
    bool Fits(const std::string& where, const RcControl& control, const std::u16string& text,
              RcError* error);
    bool Unique(const std::string& where, std::vector<Caption>* seen, const Caption& caption,
                std::string* problem) const;

    const RcCaptionSources& sources_;
    KIVMemorySource fontFile_;
    KIVMemorySource pictureFile_;
    std::map<LONG, std::unique_ptr<KIVFont>> fonts_;
};

std::string Quoted(const std::u16string& text) {
    return "\"" + Utf8FromUtf16(text) + "\"";
}

std::string Letter(char16_t mnemonic) {
    return "'" + Utf8FromUtf16(std::u16string(1, mnemonic)) + "'";
}

const KIVFont* CaptionChecker::Font(LONG id) {
    auto& font = fonts_[id];
    if (!font)
        font = KIVFont::Load(fontFile_, id, sources_.japanese);
    return font.get();
}

int CaptionChecker::PictureWidth(LONG id) const {
    KIVBitmapFrame frame;
    return KIVBitmapFile::ReadFrame(pictureFile_, id, 0, &frame) ? frame.width : 0;
}

char16_t CaptionChecker::MnemonicOf(const RcControl& control, const std::u16string& text) {
    if (control.type == kLabel) {
        const KIVFont* font = Font(control.values[7]);
        const bool tall = font && control.values[4] - control.values[2] >= 2 * font->LineHeight();
        if (tall || (control.values[6] & KIVLabelCtrl::kNoPrefix))
            return 0;
    } else if (control.type != kTextButton && control.type != kCheckBox &&
               control.type != kRadioButton) {
        return 0;
    }
    return KIVPrefixText::MnemonicOf(text.c_str());
}

int CaptionChecker::Room(const RcControl& control) const {
    const int width = control.values[3] - control.values[1];
    const bool pushLike = control.values[5] & KIVRadioButtonCtrl::kPushLike;
    if (control.type == kTextButton || (control.type == kRadioButton && pushLike))
        return width - 2 * KIVTextButtonCtrl::kCaptionMargin;
    if (control.type == kCheckBox)
        return width - PictureWidth(KIVCheckBoxCtrl::kBoxBitmap) - KIVButtonCtrl::kSideTextGap;
    if (control.type == kRadioButton)
        return width - PictureWidth(KIVRadioButtonCtrl::kRingBitmap) - KIVButtonCtrl::kSideTextGap;
    return -1;
}

bool CaptionChecker::Fits(const std::string& where, const RcControl& control,
                          const std::u16string& text, RcError* error) {
    const int room = Room(control);
    const KIVFont* font = Font(control.values[7]);
    if (room < 0 || text.empty() || !font)
        return true;
    const int width = KIVPrefixText::Measure(*font, text.c_str());
    if (width <= room)
        return true;
    error->line = control.line;
    error->message = where + ": the caption " + Quoted(text) + " of control " +
                     std::to_string(control.values[0]) + " is " + std::to_string(width) +
                     " pixels wide; the control leaves " + std::to_string(room) + " for it";
    return false;
}

bool CaptionChecker::Unique(const std::string& where, std::vector<Caption>* seen,
                            const Caption& caption, std::string* problem) const {
    if (caption.mnemonic == 0)
        return true;
    for (const Caption& other : *seen)
        if (other.mnemonic == caption.mnemonic) {
            *problem = where + ": " + Quoted(other.text) + " (" + std::to_string(other.id) +
                       ") and " + Quoted(caption.text) + " (" + std::to_string(caption.id) +
                       ") have the same mnemonic " + Letter(caption.mnemonic);
            return false;
        }
    seen->push_back(caption);
    return true;
}

bool CaptionChecker::Dialog(std::int32_t id, const RcDialog& dialog, const RcTexts& texts,
                            RcError* error) {
    const std::string where = "dialog " + std::to_string(id) + " (" + sources_.language + ")";
    std::vector<Caption> seen;
    *error = {dialog.file, dialog.line, ""};
    for (const RcControl& control : dialog.controls) {
        std::u16string text;
        if (!ResolveLayoutText(control.text, texts, &text, &error->message)) {
            error->line = control.line;
            return false;
        }
        const Caption caption{control.values[0], text, MnemonicOf(control, text)};
        if (!Unique(where, &seen, caption, &error->message) || !Fits(where, control, text, error)) {
            error->line = control.line;
            return false;
        }
        bool named = control.target == 0;
        for (const RcControl& other : dialog.controls)
            named = named || other.values[0] == control.target;
        if (!named) {
            error->line = control.line;
            error->message = where + ": for=" + std::to_string(control.target) +
                             " names no control of the dialog";
            return false;
        }
    }
    return true;
}

bool CaptionChecker::Buttons(const std::string& name, const std::vector<int>& captions,
                             const RcTexts& texts, RcError* error) const {
    std::vector<Caption> seen;
    for (int id : captions) {
        const auto found = texts.find(id);
        if (found == texts.end())
            continue;
        const std::u16string& text = found->second.text;
        if (!Unique(name + " (" + sources_.language + ")", &seen,
                    Caption{id, text, KIVPrefixText::MnemonicOf(text.c_str())}, &error->message)) {
            error->file = sources_.textsFile;
            error->line = found->second.line;
            return false;
        }
    }
    return true;
}

} // namespace

bool CheckCaptions(const RcDialogs& dialogs, const RcTexts& texts, const RcCaptionSources& sources,
                   RcError* error) {
    CaptionChecker checker(sources);
    for (const auto& [id, dialog] : dialogs)
        if (!checker.Dialog(id, dialog, texts, error))
            return false;
    for (const KIVMessageBoxDlg::ButtonSet* set : KIVMessageBoxDlg::AllSets()) {
        std::vector<int> captions;
        for (LONG button : set->buttons)
            captions.push_back(KIVMessageBoxDlg::CaptionOf(button));
        if (!checker.Buttons("the message box's buttons (set " + std::to_string(set->value) + ")",
                             captions, texts, error))
            return false;
    }
    return checker.Buttons("the folder browser's buttons",
                           {0, 1, KIVFolderBrowser::kNewFolderCaptionText}, texts, error);
}
