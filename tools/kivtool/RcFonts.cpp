// Font records rasterised with FreeType.
//
// [SECTION] Rasterising
// [SECTION] The font table
#include "tools/kivtool/RcFonts.h"

#include "platform/WinBase.h"

#include <algorithm>
#include <filesystem>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

namespace {

// [SECTION] Rasterising

struct FontChoice {
    std::string file;
    int pixels = 0;
    bool bold = false;
    int line = 0;
};

struct Cell {
    int height = 0;
    int ascender = 0;
};

// One glyph into its cell (height x advance coverage bytes); advance 0 when
// the face has no glyph for the code.
int RenderGlyph(FT_Face face, char32_t code, bool bold, const Cell& cell,
                std::vector<std::uint8_t>* coverage) {
    coverage->clear();
    const FT_UInt index = code >= 32 ? FT_Get_Char_Index(face, code) : 0;
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0)
        return 0;
    if (bold)
        FT_GlyphSlot_Embolden(face->glyph);
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return 0;
    const FT_GlyphSlot slot = face->glyph;
    const int advance = std::clamp(static_cast<int>((slot->advance.x + 32) >> 6), 0, 1024);
    coverage->assign(static_cast<std::size_t>(advance) * cell.height, 0);
    const FT_Bitmap& bitmap = slot->bitmap;
    for (unsigned by = 0; by < bitmap.rows; ++by)
        for (unsigned bx = 0; bx < bitmap.width; ++bx) {
            const int y = cell.ascender - slot->bitmap_top + static_cast<int>(by);
            const int x = slot->bitmap_left + static_cast<int>(bx);
            if (x < 0 || y < 0 || x >= advance || y >= cell.height)
                continue;
            std::uint8_t& pixel = (*coverage)[static_cast<std::size_t>(y * advance + x)];
            pixel = std::max(
                pixel, bitmap.buffer[static_cast<int>(by) * bitmap.pitch + static_cast<int>(bx)]);
        }
    return advance;
}

// A block: advances, data size, offsets, data.
void RenderBlock(FT_Face face, const std::vector<char32_t>& codes, bool bold, const Cell& cell,
                 RcBytes* out) {
    std::vector<std::int32_t> advances;
    std::vector<std::int32_t> offsets;
    std::vector<std::uint8_t> data;
    std::vector<std::uint8_t> coverage;
    for (char32_t code : codes) {
        advances.push_back(RenderGlyph(face, code, bold, cell, &coverage));
        offsets.push_back(static_cast<std::int32_t>(data.size()));
        data.insert(data.end(), coverage.begin(), coverage.end());
    }
    for (std::int32_t advance : advances)
        out->Long(advance);
    out->Long(static_cast<std::int32_t>(data.size()));
    for (std::int32_t offset : offsets)
        out->Long(offset);
    out->Append(data);
}

std::vector<char32_t> SingleByteCodes() {
    std::vector<char32_t> codes(256, 0);
    for (int c = 0; c < 256; ++c) {
        const char byte = static_cast<char>(c);
        char16_t wide = 0;
        codes[static_cast<std::size_t>(c)] =
            c < 128 ? static_cast<char32_t>(c)
            : MultiByteToWideChar(1252, MB_ERR_INVALID_CHARS, &byte, 1, &wide, 1) == 1 ? wide
                                                                                       : 0;
    }
    return codes;
}

std::vector<char32_t> Range(char32_t first, char32_t count) {
    std::vector<char32_t> codes(count);
    for (char32_t i = 0; i < count; ++i)
        codes[i] = first + i;
    return codes;
}

bool OpenFace(FT_Library library, const FontChoice& choice, FT_Face* face) {
    return FT_New_Face(library, choice.file.c_str(), 0, face) == 0 &&
           FT_Set_Pixel_Sizes(*face, 0, static_cast<FT_UInt>(choice.pixels)) == 0;
}

bool RenderFont(FT_Library library, const FontChoice& choice, const std::string& extension,
                RcBytes* out, std::string* problem) {
    FT_Face face = nullptr;
    FT_Face wide = nullptr;
    FontChoice wideChoice = choice;
    wideChoice.file = extension;
    bool ok = OpenFace(library, choice, &face) &&
              (extension.empty() || OpenFace(library, wideChoice, &wide));
    if (ok) {
        const Cell cell{static_cast<int>((face->size->metrics.height + 32) >> 6),
                        static_cast<int>((face->size->metrics.ascender + 32) >> 6)};
        out->Long(cell.height);
        RenderBlock(face, SingleByteCodes(), choice.bold, cell, out);
        out->Byte(wide ? 1 : 0);
        if (wide) {
            RenderBlock(wide, Range(0x3000, 0x7000), choice.bold, cell, out);
            RenderBlock(wide, Range(0xF900, 0x6F0), choice.bold, cell, out);
        }
    } else {
        *problem = "FreeType cannot open " + (face ? extension : choice.file) + " at " +
                   std::to_string(choice.pixels) + " pixels";
    }
    if (wide)
        FT_Done_Face(wide);
    if (face)
        FT_Done_Face(face);
    return ok;
}

// [SECTION] The font table

std::string FontPath(const std::string& file, const std::string& folder) {
    const std::filesystem::path path(file);
    return path.is_absolute() ? file : (std::filesystem::path(folder) / path).string();
}

bool ReadChoice(const RcLine& line, const std::string& folder, FontChoice* choice) {
    const std::vector<std::string> words = SplitWords(line.text.substr(line.text.find('=') + 1));
    std::int32_t pixels = 0;
    if (words.size() != 3 || !ParseLong(words[1], &pixels) || pixels < 4 || pixels > 200 ||
        (words[2] != "regular" && words[2] != "bold"))
        return false;
    *choice = {FontPath(words[0], folder), pixels, words[2] == "bold", line.number};
    return true;
}

} // namespace

bool CompileFonts(const std::string& path, const std::string& folder, RcRecords* records,
                  RcError* error) {
    std::vector<RcLine> lines;
    if (!ReadSourceLines(path, true, &lines, error))
        return false;
    std::map<std::int32_t, FontChoice> choices;
    std::string extension;
    for (const RcLine& line : lines) {
        const std::size_t equals = line.text.find('=');
        const std::string key = Trim(line.text.substr(0, equals));
        std::int32_t id = -1;
        FontChoice choice;
        if (equals != std::string::npos && key == "extension" && extension.empty()) {
            extension = FontPath(Trim(line.text.substr(equals + 1)), folder);
        } else if (equals == std::string::npos || !ParseLong(key, &id) || id < 0 || id > 65535 ||
                   choices.count(id) || !ReadChoice(line, folder, &choice)) {
            *error = {path, line.number,
                      "expected ID = FONTFILE PIXELS regular|bold (4..200 pixels, each ID "
                      "once) or extension = FONTFILE"};
            return false;
        } else {
            choices[id] = choice;
        }
    }
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        *error = {path, 0, "FreeType does not start"};
        return false;
    }
    bool ok = true;
    for (auto choice = choices.begin(); ok && choice != choices.end(); ++choice) {
        RcBytes out;
        ok = RenderFont(library, choice->second, extension, &out, &error->message);
        if (ok)
            (*records)[choice->first] = std::move(out.bytes);
        else
            *error = {path, choice->second.line, error->message};
    }
    FT_Done_FreeType(library);
    return ok;
}
