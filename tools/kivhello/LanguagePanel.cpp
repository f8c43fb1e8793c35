#include "tools/kivhello/LanguagePanel.h"

#include "toolkit/resources/KIVFileSource.h"
#include "toolkit/resources/KIVStringFile.h"
#include "toolkit/resources/KIVTextPainter.h"

namespace {

constexpr DWORD kInk = 0x00202830;
constexpr DWORD kAccent = 0x00A05010;
constexpr int kMargin = 24;

void Line(const KIVDrawBuffer& buffer, const KIVFont& font, const KIVString& text, int y,
          DWORD colour) {
    KIVTextPainter::DrawText(buffer, font, text, text.GetLength(), kMargin, y,
                             buffer.width - 2 * kMargin, colour, 0);
}

} // namespace

bool LanguagePanel::Load(const KIVString& resourceFolder, const char* language, bool japanese) {
    char base[260];
    if (!(resourceFolder + KIVString(language) + u"\\Setup").ToNarrow(base, sizeof base - 4))
        return false;
    const std::string strings = std::string(base) + ".ers";
    name_ = KIVStringFile::GetText(strings.c_str(), 1001);
    greeting_ = KIVStringFile::GetText(strings.c_str(), 1003);
    sentence_ = KIVStringFile::GetText(strings.c_str(), 1004);
    const int at = greeting_.Find(u"%s");
    if (at >= 0)
        greeting_ = greeting_.Left(at) + u"Ada" + greeting_.Mid(at + 2);
    const KIVFileSource fonts((std::string(base) + ".erf").c_str());
    regular_ = KIVFont::Load(fonts, 0, japanese);
    bold_ = KIVFont::Load(fonts, 1, japanese);
    return regular_ && bold_ && !name_.IsEmpty();
}

void LanguagePanel::Draw(const KIVDrawBuffer& buffer, int top) const {
    Line(buffer, *bold_, name_, top + 8, kAccent);
    Line(buffer, *regular_, greeting_, top + 8 + bold_->LineHeight() + 4, kInk);
    Line(buffer, *regular_, sentence_,
         top + 8 + bold_->LineHeight() + 4 + regular_->LineHeight() + 2, kInk);
}
