// The language texts that the setup's flow and worker show, by number. The
// texts come from a source set here, else from the application object's
// language resources (KIVApplication::GetText) once it exists; until then,
// and for a number the resources lack, the English texts kept here serve.
#pragma once

#include "toolkit/KIVString.h"

#include <initializer_list>

enum SetupTextNumber {
    kTextStartFailed = 103,    // the product could not be started
    kTextExtractFailed = 104,  // format with the item name
    kTextCopyFailed = 105,     // format with the item name
    kTextRegistryFailed = 118, // registry or system files could not be written
    kTextProgramGroupFailed = 119,
    kTextSizeUnits = 114,      // 114-117: bytes, kilobytes, megabytes, gigabytes
    kTextNotEnoughSpace = 122, // format with the free and the required size
    kTextUnknownSpace = 123,
    kTextRestartQuestion = 124, // format with the application name
    kTextFolderUnusable = 125,
    kTextUnspellableName = 126,  // format with the file name and the item name
    kTextDecimalSeparator = 127, // between a size's whole and its hundredths
    kTextBrowseCaption = 128,    // the title of the folder browser
};

// Returns the text of that number, or an empty text when it has none.
using SetupTextSource = KIVString (*)(int number);

// Makes source the first place where texts are looked for (null: none).
void SetSetupTextSource(SetupTextSource source);

// The text of that number: the source's, else the application's, else the
// English one, else empty.
KIVString SetupText(int number);

// The text of that number with its first "%s" replaced by argument.
KIVString FormatSetupText(int number, const char16_t* argument);

// A size for a person: bytes, or kilobytes, megabytes or gigabytes with two
// decimals, with the given unit texts (bytes, KB, MB, GB) and decimal
// separator, or with the unit texts 114 to 117 and separator 127.
KIVString SizeTextWith(double bytes, const KIVString units[4], const KIVString& separator);
KIVString SizeTextOf(double bytes);

// A language text used as a format: each "%s" in turn takes the next
// argument (an empty text once they run out) and "%%" gives "%"; anything
// else stays as written. A text from the medium can so never read more
// arguments than were given.
KIVString FormatTextArguments(const char16_t* format,
                              std::initializer_list<const char16_t*> arguments);
