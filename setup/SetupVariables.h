// SetupVariables: the named values that describe the installation being made
// (USERNAME, COMPANY, INSTALLDST, EXENAME, INSTALLSRC, LONGAPPNAME, VERSION,
// and LANGUAGE, which is computed from the current language). Texts refer to
// a variable by its name between "<" and ">"; ExpandSetupVariables replaces
// such references by the current values.
#pragma once

#include "toolkit/KIVString.h"

#include <cstdint>

struct SetupState;

class SetupVariables {
public:
    // In the order in which names are looked up.
    enum Name {
        kCompany,
        kUserName,
        kInstallDst,
        kExeName,
        kInstallSrc,
        kLongAppName,
        kVersion,
        kLanguage,
        kNone
    };

    // The variable with exactly this name (case-sensitive), or kNone.
    static Name Find(const char16_t* name, int length);
    // The stored value of a variable; null for LANGUAGE and kNone.
    KIVString* Stored(Name name);
    // The current value; LANGUAGE is the name of language.
    KIVString Value(Name name, std::int32_t language) const;

    // Writes source into destination (size characters, terminator included)
    // with every reference replaced. Values are not scanned again; a name
    // that is not a variable disappears; a reference without ">" runs to the
    // end of the text. What does not fit is cut, never written past.
    void Expand(const char16_t* source, char16_t* destination, int size,
                std::int32_t language) const;

    KIVString userName;
    KIVString company;
    KIVString installDst;
    KIVString exeName;
    KIVString installSrc;
    KIVString longAppName;
    KIVString version;
};

// Expansion with the state's variables and current language; callers'
// destinations hold 260 characters. The narrow form converts from and back to
// the ANSI code page, cut at whole characters.
void ExpandSetupVariables(const SetupState& state, const char16_t* source, char16_t* destination,
                          int size = 260);
void ExpandSetupVariables(const SetupState& state, const char* source, char* destination,
                          int size = 260);

// Joins a relative path onto base, in place: "." changes nothing, ".." removes
// the last folder of base, other segments are appended after a backslash.
// "/" counts as "\". Joining stops when base has no folder left to remove
// or when a segment would make base longer than maximum - 1 characters, so
// that the result always fits a buffer of maximum characters.
KIVString& JoinRelativePath(KIVString& base, const KIVString& relative, int maximum = 260);
