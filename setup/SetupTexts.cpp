#include "setup/SetupTexts.h"

#include "toolkit/KIVApplication.h"

#include <atomic>
#include <cmath>

namespace {

std::atomic<SetupTextSource> source{nullptr};

struct EnglishText {
    int number;
    const char16_t* text;
};

const EnglishText kEnglish[] = {
    {kTextStartFailed, u"The program could not be started."},
    {kTextExtractFailed, u"The files of %s could not be unpacked. The installation medium may be "
                         u"damaged or incomplete."},
    {kTextCopyFailed, u"The files of %s could not be copied. Check that the installation medium "
                      u"is complete and that the destination folder can be written."},
    {kTextRegistryFailed, u"The system could not be updated. You may need administrator rights to "
                          u"install this product."},
    {kTextProgramGroupFailed, u"The program group could not be created."},
    {kTextSizeUnits, u"bytes"},
    {kTextSizeUnits + 1, u"KB"},
    {kTextSizeUnits + 2, u"MB"},
    {kTextSizeUnits + 3, u"GB"},
    {kTextDecimalSeparator, u"."},
    {kTextBrowseCaption, u"Select folder"},
    {kTextNotEnoughSpace, u"There may not be enough free space on the destination disk.\n\n"
                          u"Space available: %s\nSpace required: %s\n\n"
                          u"Do you want to continue anyway?"},
    {kTextUnknownSpace, u"The free space on the destination disk could not be determined.\n\n"
                        u"Do you want to continue anyway?"},
    {kTextRestartQuestion, u"Windows must be restarted to complete the installation of %s. "
                           u"Restart now?"},
    {kTextFolderUnusable, u"The installation folder cannot be created or written to. Please "
                          u"choose another folder."},
    {kTextUnspellableName,
     u"The file name %s in %s cannot be written with the language settings of this computer: "
     u"the file could never be removed again, so nothing of it was installed. Ask the maker of "
     u"the product for a medium made for this language."},
};

constexpr double kKilobyte = 1024.0;
constexpr double kMegabyte = kKilobyte * 1024.0;
constexpr double kGigabyte = kMegabyte * 1024.0;

} // namespace

void SetSetupTextSource(SetupTextSource newSource) {
    source.store(newSource);
}

KIVString SetupText(int number) {
    KIVString text;
    if (SetupTextSource from = source.load())
        text = from(number);
    else if (const KIVApplication* application = KIVApplication::Get())
        text = application->GetText(number);
    if (!text.IsEmpty())
        return text;
    for (const EnglishText& english : kEnglish)
        if (english.number == number)
            return KIVString(english.text);
    return KIVString();
}

// The "%s" is replaced here rather than by a printf-style format: a text
// from the medium's resources with any other conversion must not read
// arguments that were never passed.
KIVString FormatSetupText(int number, const char16_t* argument) {
    KIVString text = SetupText(number);
    const int at = text.Find(u"%s");
    if (at < 0)
        return text;
    return text.Left(at) + KIVString(argument) + text.Mid(at + 2);
}

KIVString FormatTextArguments(const char16_t* format,
                              std::initializer_list<const char16_t*> arguments) {
    KIVString text;
    auto next = arguments.begin();
    for (const char16_t* at = format; at && *at; ++at) {
        if (at[0] == u'%' && at[1] == u's') {
            if (next != arguments.end())
                text += *next++;
            ++at;
        } else if (at[0] == u'%' && at[1] == u'%') {
            text += u"%";
            ++at;
        } else {
            const char16_t one[2] = {*at, u'\0'};
            text += one;
        }
    }
    return text;
}

// The whole and the hundredths are formatted apart, so that the language's
// separator goes between them, whatever the C library's locale.
KIVString SizeTextWith(double bytes, const KIVString units[4], const KIVString& separator) {
    KIVString text;
    const double scales[] = {kGigabyte, kMegabyte, kKilobyte};
    for (int i = 0; i < 3; ++i)
        if (bytes > scales[i]) {
            const long long hundredths = std::llround(bytes / scales[i] * 100.0);
            text.Format(u"%lld%s%02lld %s", hundredths / 100,
                        static_cast<const char16_t*>(separator), hundredths % 100,
                        static_cast<const char16_t*>(units[3 - i]));
            return text;
        }
    text.Format(u"%d %s", static_cast<int>(bytes), static_cast<const char16_t*>(units[0]));
    return text;
}

KIVString SizeTextOf(double bytes) {
    const KIVString units[4] = {SetupText(kTextSizeUnits), SetupText(kTextSizeUnits + 1),
                                SetupText(kTextSizeUnits + 2), SetupText(kTextSizeUnits + 3)};
    return SizeTextWith(bytes, units, SetupText(kTextDecimalSeparator));
}
