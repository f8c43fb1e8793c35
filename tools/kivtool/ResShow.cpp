// kivtool res show: the items of each kind of language resource file.
//
// [SECTION] Directory
// [SECTION] Texts and bitmaps
// [SECTION] Dialogs
// [SECTION] Fonts and accelerators
#include "tools/kivtool/ResShow.h"

#include "tools/kivtool/PackCommands.h"
#include "tools/kivtool/RcDialogs.h"
#include "tools/kivtool/RcSource.h"

#include "toolkit/resources/KIVAcceleratorTable.h"
#include "toolkit/resources/KIVBitmapFile.h"
#include "toolkit/resources/KIVDialogFile.h"
#include "toolkit/resources/KIVFont.h"
#include "toolkit/resources/KIVStringFile.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <algorithm>
#include <cstdio>

// [SECTION] Directory

std::vector<LONG> DirectoryIds(const KIVResourceSource& file) {
    std::uint64_t end = file.Size();
    std::vector<LONG> ids;
    for (LONG id = 0; KIVResourceSource::kDirectoryOffset + 4 * std::uint64_t(id) + 4 <= end;
         ++id) {
        std::uint64_t offset = 0;
        if (file.ItemOffset(id, &offset)) {
            end = std::min(end, offset);
            ids.push_back(id);
        }
    }
    ids.erase(std::remove_if(ids.begin(), ids.end(),
                             [&](LONG id) {
                                 return KIVResourceSource::kDirectoryOffset +
                                            4 * std::uint64_t(id) >=
                                        end;
                             }),
              ids.end());
    return ids;
}

std::uint64_t ItemEnd(const KIVResourceSource& file, std::uint64_t offset) {
    std::uint64_t end = file.Size();
    for (LONG id : DirectoryIds(file)) {
        std::uint64_t other = 0;
        if (file.ItemOffset(id, &other) && other > offset)
            end = std::min(end, other);
    }
    return end;
}

std::string ShownText(const std::u16string& text) {
    std::string shown;
    for (char ch : Utf8FromUtf16(text))
        shown += ch == '\n' ? "\\n" : ch == '\r' ? "\\r" : ch == '\t' ? "\\t" : std::string(1, ch);
    return shown;
}

namespace {

// The items to show: the one asked for, or all.
std::vector<LONG> Wanted(const ResShowRequest& request) {
    if (request.id != -1)
        return {request.id};
    return DirectoryIds(*request.file);
}

} // namespace

// Prints {"language": N, "items": [...]} or the language line and the text lines.
void PrintItems(const ResShowRequest& request, const std::vector<std::string>& items) {
    if (!request.json) {
        std::printf("language: %d\n", static_cast<int>(request.language));
        for (const std::string& item : items)
            std::printf("%s\n", item.c_str());
        return;
    }
    std::string joined;
    for (const std::string& item : items)
        joined += (joined.empty() ? "" : ", ") + item;
    std::printf("{\"language\": %d, \"items\": [%s]}\n", static_cast<int>(request.language),
                joined.c_str());
}

// [SECTION] Texts and bitmaps

bool ShowTexts(const ResShowRequest& request) {
    std::vector<std::string> items;
    for (LONG id : Wanted(request)) {
        std::uint64_t offset = 0;
        if (!request.file->ItemOffset(id, &offset))
            return false;
        const KIVString text = KIVStringFile::ReadText(*request.file, id);
        const std::u16string wide(static_cast<const char16_t*>(text), text.GetLength());
        items.push_back(request.json ? "{\"id\": " + std::to_string(id) +
                                           ", \"text\": " + JsonText(Utf8FromUtf16(wide)) + "}"
                                     : std::to_string(id) + ": " + ShownText(wide));
    }
    PrintItems(request, items);
    return true;
}

bool ShowBitmaps(const ResShowRequest& request) {
    std::vector<std::string> items;
    for (LONG id : Wanted(request)) {
        KIVBitmapFrame frame;
        std::uint64_t offset = 0;
        if (!request.file->ItemOffset(id, &offset) ||
            !KIVBitmapFile::ReadFrame(*request.file, id, 0, &frame))
            return false;
        const std::uint64_t frameBytes = frame.pixels.size();
        const std::uint64_t frames =
            (ItemEnd(*request.file, offset) - offset - KIVBitmapFile::kHeaderSize) / frameBytes;
        const int bits = frame.IsEightBit() ? 8 : 32;
        char line[200];
        std::snprintf(line, sizeof line,
                      request.json ? "{\"id\": %d, \"width\": %d, \"height\": %d, \"bits\": %d, "
                                     "\"frames\": %llu, \"flags\": %d, \"value\": %d}"
                                   : "%d: %dx%d, %d bits, %llu frames, flags %d, value %d",
                      static_cast<int>(id), static_cast<int>(frame.width),
                      static_cast<int>(frame.height), bits, static_cast<unsigned long long>(frames),
                      static_cast<int>(frame.flags), static_cast<int>(frame.value));
        items.push_back(line);
    }
    PrintItems(request, items);
    return true;
}

// [SECTION] Dialogs

namespace {

std::string Numbers(const std::vector<LONG>& values, const char* separator) {
    std::string text;
    for (LONG value : values)
        text += (text.empty() ? "" : separator) + std::to_string(value);
    return text;
}

std::string ControlJson(const KIVControlRecord& c) {
    return "{\"type\": " + std::to_string(c.type) +
           ", \"class\": " + JsonText(ControlClassName(c.type)) +
           ", \"id\": " + std::to_string(c.id) + ", \"rect\": [" +
           Numbers({c.left, c.top, c.right, c.bottom}, ", ") +
           "], \"state\": " + std::to_string(c.state) + ", \"style\": " + std::to_string(c.style) +
           ", \"font\": " + std::to_string(c.font) +
           ", \"text\": " + JsonText(Utf8FromUtf16(c.text)) +
           ", \"tooltip\": " + JsonText(Utf8FromUtf16(c.tooltip)) +
           ", \"class_bytes\": " + std::to_string(c.classFields.size()) + "}";
}

std::string ControlLine(const KIVControlRecord& c) {
    const std::string name = ControlClassName(c.type);
    return "  control " + (name.empty() ? std::to_string(c.type) : name) + " " +
           std::to_string(c.id) + " " + Numbers({c.left, c.top, c.right, c.bottom}, " ") +
           " state=" + std::to_string(c.state) + " style=" + std::to_string(c.style) +
           " font=" + std::to_string(c.font) + " text=\"" + ShownText(c.text) + "\" tooltip=\"" +
           ShownText(c.tooltip) + "\" class bytes " + std::to_string(c.classFields.size());
}

std::string DialogText(LONG id, const KIVDialogLayout& d, bool json) {
    const std::string window = Numbers({d.x, d.y, d.width, d.height}, json ? ", " : " ");
    const std::string margins = Numbers({d.leftMargin, d.topMargin}, json ? ", " : " ");
    std::string text;
    if (json) {
        text = "{\"id\": " + std::to_string(id) + ", \"window\": [" + window + "], \"margins\": [" +
               margins + "], \"flags\": " + std::to_string(d.flags) +
               ", \"title\": " + JsonText(Utf8FromUtf16(d.title)) + ", \"controls\": [";
        for (std::size_t i = 0; i < d.controls.size(); ++i)
            text += (i ? ", " : "") + ControlJson(d.controls[i]);
        return text + "]}";
    }
    char flags[16];
    std::snprintf(flags, sizeof flags, "0x%X", static_cast<unsigned>(d.flags));
    text = "dialog " + std::to_string(id) + ": window " + window + " margins " + margins +
           " flags " + flags + " title \"" + ShownText(d.title) + "\"";
    for (const KIVControlRecord& control : d.controls)
        text += "\n" + ControlLine(control);
    return text;
}

} // namespace

bool ShowDialogs(const ResShowRequest& request) {
    std::vector<std::string> items;
    for (LONG id : Wanted(request)) {
        KIVDialogLayout layout;
        if (!KIVDialogFile::ReadLayout(*request.file, id, &layout))
            return false;
        items.push_back(DialogText(id, layout, request.json));
    }
    PrintItems(request, items);
    return true;
}

// [SECTION] Fonts and accelerators

bool ShowFonts(const ResShowRequest& request) {
    LONG language = -1;
    request.file->LanguageId(&language);
    std::vector<std::string> items;
    for (LONG id : Wanted(request)) {
        std::uint64_t offset = 0;
        auto font = request.file->ItemOffset(id, &offset)
                        ? KIVFont::Load(*request.file, id, language == 3)
                        : nullptr;
        if (!font)
            return false;
        const int width = KIVTextPainter::MeasureText(*font, u"Hello", -1);
        char line[200];
        std::snprintf(line, sizeof line,
                      request.json ? "{\"id\": %d, \"line_height\": %d, \"hello_width\": %d, "
                                     "\"extension\": %s}"
                                   : "%d: line height %d, \"Hello\" %d pixels wide, %s",
                      static_cast<int>(id), font->LineHeight(), width,
                      request.json ? (font->HasExtension() ? "true" : "false")
                                   : (font->HasExtension() ? "double-byte extension"
                                                           : "no double-byte extension"));
        items.push_back(line);
    }
    PrintItems(request, items);
    return true;
}

bool ShowAccelerators(const ResShowRequest& request) {
    KIVAcceleratorTable table;
    if (!table.Load(*request.file))
        return false;
    std::vector<std::string> items;
    for (const KIVAccelerator& a : table.Entries()) {
        if (request.id != -1 && a.command != request.id)
            continue;
        char line[200];
        std::snprintf(line, sizeof line,
                      request.json ? "{\"key\": %d, \"modifiers\": %d, \"command\": %d, "
                                     "\"flag\": %d, \"value\": %d}"
                                   : "key %d modifiers %d command %d flag %d value %d",
                      static_cast<int>(a.key), static_cast<int>(a.modifiers),
                      static_cast<int>(a.command), static_cast<int>(a.flag),
                      static_cast<int>(a.value));
        items.push_back(line);
    }
    PrintItems(request, items);
    return request.id == -1 || !items.empty();
}
