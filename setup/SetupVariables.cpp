#include "setup/SetupVariables.h"

#include "setup/SetupLanguage.h"
#include "setup/SetupState.h"
#include "toolkit/KIVSystem.h"

#include <string>
#include <vector>

namespace {
const char16_t* const kNames[] = {u"COMPANY",    u"USERNAME",    u"INSTALLDST", u"EXENAME",
                                  u"INSTALLSRC", u"LONGAPPNAME", u"VERSION",    u"LANGUAGE"};

int Length(const char16_t* text) {
    int n = 0;
    while (text[n])
        ++n;
    return n;
}

void TrimTrailingBackslashes(KIVString& path) {
    int length = path.GetLength();
    while (length > 0 && path.GetAt(length - 1) == u'\\')
        --length;
    if (length < path.GetLength())
        path = path.Left(length);
}
} // namespace

SetupVariables::Name SetupVariables::Find(const char16_t* name, int length) {
    for (int i = 0; i < kNone; ++i)
        if (Length(kNames[i]) == length &&
            std::char_traits<char16_t>::compare(kNames[i], name, length) == 0)
            return static_cast<Name>(i);
    return kNone;
}

namespace {
KIVString SetupVariables::*const kStored[] = {
    &SetupVariables::company, &SetupVariables::userName,   &SetupVariables::installDst,
    &SetupVariables::exeName, &SetupVariables::installSrc, &SetupVariables::longAppName,
    &SetupVariables::version};
} // namespace

KIVString* SetupVariables::Stored(Name name) {
    return name >= kCompany && name <= kVersion ? &(this->*kStored[name]) : nullptr;
}

KIVString SetupVariables::Value(Name name, std::int32_t language) const {
    if (name == kLanguage)
        return KIVString(LanguageName(language));
    return name >= kCompany && name <= kVersion ? this->*kStored[name] : KIVString();
}

void SetupVariables::Expand(const char16_t* source, char16_t* destination, int size,
                            std::int32_t language) const {
    if (size <= 0)
        return;
    int used = 0;
    auto append = [&](const char16_t* text, int length) {
        for (int i = 0; i < length && used < size - 1; ++i)
            destination[used++] = text[i];
    };
    for (int i = 0; source[i];) {
        if (source[i] != u'<') {
            append(source + i++, 1);
            continue;
        }
        int end = i + 1;
        while (source[end] && source[end] != u'>')
            ++end;
        const KIVString value = Value(Find(source + i + 1, end - i - 1), language);
        append(value, value.GetLength());
        if (!source[end])
            break;
        i = end + 1;
    }
    destination[used] = 0;
}

void ExpandSetupVariables(const SetupState& state, const char16_t* source, char16_t* destination,
                          int size) {
    state.variables.Expand(source, destination, size, state.currentLanguage);
}

void ExpandSetupVariables(const SetupState& state, const char* source, char* destination,
                          int size) {
    if (size <= 0)
        return;
    std::vector<char16_t> wide(static_cast<std::size_t>(size));
    ExpandSetupVariables(state, KIVString(source), wide.data(), size);
    KIVString(wide.data()).ToNarrow(destination, size);
}

KIVString& JoinRelativePath(KIVString& base, const KIVString& relative, int maximum) {
    KIVString rest = relative;
    KIVToBackslashes(rest);
    KIVToBackslashes(base);
    TrimTrailingBackslashes(base);
    for (int start = 0; start < rest.GetLength();) {
        int end = rest.Find('\\', start);
        if (end < 0)
            end = rest.GetLength();
        const KIVString segment = rest.Mid(start, end - start);
        start = end + 1;
        if (segment == u"..") {
            const int cut = base.ReverseFind('\\');
            if (cut < 0)
                break;
            base = base.Left(cut);
            TrimTrailingBackslashes(base);
        } else if (!segment.IsEmpty() && segment != u".") {
            if (base.GetLength() + 1 + segment.GetLength() > maximum - 1)
                break;
            base += u'\\';
            base += segment;
        }
    }
    return base;
}
