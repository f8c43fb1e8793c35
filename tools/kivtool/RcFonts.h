// Fonts for kivtool rc: "fonts.txt" of the language names, per font
// identifier, a font file, a pixel size and a style, rasterised with
// FreeType into font records:
//
//   0 = /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf 13 regular
//   1 = /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf 13 bold
//   extension = /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
//
// The 256 single-byte characters are code page 1252 (128..255 mapped to
// Unicode; its five unassigned codes and the control codes have no glyph).
// An "extension" line (the Japanese language's) adds the double-byte
// extension to every font, rasterised from that file at each font's size:
// U+3000..U+9FFF, then U+F900..U+FFEF, with the blocks laid out as the
// toolkit's font reader reads them (toolkit/resources/KIVFont.h). A relative
// font file is found from the sources' folder. A glyph is drawn in a cell of
// the font's line height (FreeType's rounded height at that size) and its
// advance width, on the baseline at the rounded ascender, coverage outside
// the cell cut off.
#pragma once

#include "tools/kivtool/RcPictures.h"

// Reads the table and rasterises every font into a record.
bool CompileFonts(const std::string& path, const std::string& folder, RcRecords* records,
                  RcError* error);
