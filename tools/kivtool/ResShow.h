// What kivtool res show prints of each kind of language resource file, read
// with the toolkit's own readers. Each function prints every item of the
// file, or only item id when id is not -1, as text lines or as one JSON
// object; false when the wanted item is not there.
#pragma once

#include "toolkit/resources/KIVMemorySource.h"

#include <string>
#include <vector>

struct ResShowRequest {
    const KIVMemorySource* file = nullptr;
    LONG id = -1; // -1: every item
    bool json = false;
    LONG language = -1; // printed first
};

// The identifiers whose directory entries lie before the first item.
std::vector<LONG> DirectoryIds(const KIVResourceSource& file);
// The end of item id's bytes: the next item's offset or the file's end.
std::uint64_t ItemEnd(const KIVResourceSource& file, std::uint64_t offset);
// Text for the terminal: UTF-8, with line ends and tabs as escapes.
std::string ShownText(const std::u16string& text);

// Prints the items (JSON texts or text lines) after the language.
void PrintItems(const ResShowRequest& request, const std::vector<std::string>& items);

bool ShowTexts(const ResShowRequest& request);
bool ShowBitmaps(const ResShowRequest& request);
bool ShowDialogs(const ResShowRequest& request);
bool ShowFonts(const ResShowRequest& request);
bool ShowAccelerators(const ResShowRequest& request);
