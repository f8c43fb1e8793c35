// Reading the dialog layout sources and encoding their records.
//
// [SECTION] Words of a line
// [SECTION] Reading
// [SECTION] Encoding
#include "tools/kivtool/RcDialogs.h"

#include "toolkit/KIVControlFactory.h"
#include "toolkit/drawing/KIVLook.h"

#include <cstdio>

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

// [SECTION] Words of a line

// Splits a line into words; a quoted part (also after "key=") is one word,
// its escapes resolved. False on an unclosed quote or an unknown escape.
bool Tokens(const std::string& line, std::vector<std::string>* words) {
    words->clear();
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i == line.size())
            return true;
        std::string word;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
            if (line[i] != '"') {
                word += line[i++];
                continue;
            }
            for (++i;; ++i) {
                if (i >= line.size())
                    return false;
                if (line[i] == '"')
                    break;
                if (line[i] == '\\') {
                    if (++i == line.size())
                        return false;
                    const char escaped = line[i];
                    const char* from = "\"\\nrt";
                    const char* to = "\"\\\n\r\t";
                    const char* at = std::char_traits<char>::find(from, 5, escaped);
                    if (!at)
                        return false;
                    word += to[at - from];
                } else {
                    word += line[i];
                }
            }
            ++i;
        }
        words->push_back(word);
    }
}

bool Numbers(const std::vector<std::string>& words, std::size_t first, std::int32_t* values,
             std::size_t count) {
    if (words.size() != first + count)
        return false;
    for (std::size_t i = 0; i < count; ++i)
        if (!ParseLong(words[first + i], &values[i]))
            return false;
    return true;
}

// [SECTION] Reading

// One item of fields=, appended little-endian: "1.5f" a 32-bit float, "255b"
// one byte (-128..255), any other number 32 bits. The suffixes belong to
// decimal items only: a hexadecimal item is always 32 bits ("0x1b" is 27).
bool FieldItem(const std::string& item, std::vector<std::uint8_t>* bytes) {
    const bool hex = item.find("0x") != std::string::npos || item.find("0X") != std::string::npos;
    const char suffix = item.empty() || hex ? '\0' : item.back();
    const std::string number =
        suffix == 'f' || suffix == 'b' ? item.substr(0, item.size() - 1) : item;
    std::int32_t whole = 0;
    if (suffix == 'f') {
        char* end = nullptr;
        errno = 0;
        const float real = std::strtof(number.c_str(), &end);
        if (number.empty() || errno != 0 || *end != '\0' || !std::isfinite(real))
            return false;
        whole = std::bit_cast<std::int32_t>(real);
    } else if (!ParseLong(number, &whole)) {
        return false;
    }
    if (suffix == 'b') {
        if (whole < -128 || whole > 255)
            return false;
        bytes->push_back(static_cast<std::uint8_t>(whole));
        return true;
    }
    for (int shift = 0; shift < 32; shift += 8)
        bytes->push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(whole) >> shift));
    return true;
}

bool ControlOption(const std::string& word, RcControl* control) {
    const std::size_t equals = word.find('=');
    if (equals == std::string::npos)
        return false;
    const std::string key = word.substr(0, equals);
    const std::string value = word.substr(equals + 1);
    const char* numbered[] = {"state", "style", "font"};
    for (int k = 0; k < 3; ++k)
        if (key == numbered[k])
            return ParseLong(value, &control->values[5 + k]);
    if (key == "for")
        return ParseLong(value, &control->target) && control->target != 0;
    if (key == "text" || key == "tooltip") {
        (key == "text" ? control->text : control->tooltip) = value;
        return true;
    }
    if (key != "fields")
        return false;
    std::size_t start = 0;
    while (start <= value.size() && !value.empty()) {
        const std::size_t comma = value.find(',', start);
        if (!FieldItem(value.substr(start, comma - start), &control->fields))
            return false;
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return true;
}

bool ReadControl(const std::vector<std::string>& words, int line, RcControl* control) {
    control->line = line;
    if (words.size() < 7 || (control->type = ControlType(words[1])) < 0)
        return false;
    for (std::size_t i = 0; i < 5; ++i)
        if (!ParseLong(words[2 + i], &control->values[i]))
            return false;
    for (std::size_t i = 7; i < words.size(); ++i)
        if (!ControlOption(words[i], control))
            return false;
    return true;
}

// One line inside "dialog ... end"; false with the problem in *problem.
bool ReadDialogLine(const std::vector<std::string>& words, int line, RcDialog* dialog,
                    std::string* problem) {
    const std::string& key = words[0];
    bool ok = false;
    if (key == "window")
        ok = Numbers(words, 1, dialog->window, 4);
    else if (key == "margins")
        ok = Numbers(words, 1, dialog->margins, 2);
    else if (key == "flags")
        ok = Numbers(words, 1, &dialog->flags, 1);
    else if (key == "title" && words.size() == 2)
        dialog->title = words[1], ok = true;
    else if (key == "control") {
        RcControl control;
        ok = ReadControl(words, line, &control);
        if (ok)
            dialog->controls.push_back(control);
        *problem = "expected: control CLASS ID LEFT TOP RIGHT BOTTOM [state= style= font= "
                   "text= tooltip= fields= for=]";
        return ok;
    }
    *problem = "expected window X Y W H, margins L T, flags N, title \"TEXT\", control ... or end";
    return ok;
}

// A record of a type the toolkit draws nothing for is kept (the file format
// allows it) but would show nothing: the author is told.
void WarnOfSkippedType(const std::string& path, const RcControl& control) {
    if (KIVControlTypeIsBuilt(control.type))
        return;
    const std::string name = ControlClassName(control.type);
    std::fprintf(stderr,
                 "%s:%d: warning: the toolkit makes no control of type %d%s; the record is "
                 "skipped when the dialog is made\n",
                 path.c_str(), control.line, static_cast<int>(control.type),
                 name.empty() ? "" : (" (" + name + ")").c_str());
}

} // namespace

bool ReadDialogs(const std::string& path, bool required, RcDialogs* dialogs, RcError* error) {
    std::vector<RcLine> lines;
    dialogs->clear();
    if (!ReadSourceLines(path, required, &lines, error))
        return false;
    RcDialog* open = nullptr;
    std::int32_t id = -1;
    for (const RcLine& line : lines) {
        std::vector<std::string> words;
        std::string problem = "unclosed quote or unknown escape";
        bool ok = Tokens(line.text, &words) && !words.empty();
        if (ok && !open) {
            ok = words.size() == 2 && words[0] == "dialog" && ParseLong(words[1], &id) && id >= 0 &&
                 id <= kRcMaxIdentifier && !dialogs->count(id);
            problem = "expected: dialog ID (0..65535, once each)";
            if (ok) {
                open = &(*dialogs)[id];
                open->file = path;
                open->line = line.number;
            }
        } else if (ok && words.size() == 1 && words[0] == "end") {
            open = nullptr;
        } else if (ok) {
            const std::size_t controls = open->controls.size();
            ok = ReadDialogLine(words, line.number, open, &problem);
            if (ok && open->controls.size() > controls)
                WarnOfSkippedType(path, open->controls.back());
        }
        if (!ok) {
            *error = {path, line.number, problem};
            return false;
        }
    }
    if (open) {
        *error = {path, open->line, "dialog " + std::to_string(id) + " has no end"};
        return false;
    }
    return true;
}

// [SECTION] Encoding

bool ResolveLayoutText(const std::string& source, const RcTexts& texts, std::u16string* text,
                       std::string* problem) {
    if (source.rfind("@@", 0) == 0)
        return Utf16FromUtf8(source.substr(1), text);
    if (source.empty() || source[0] != '@')
        return Utf16FromUtf8(source, text);
    std::int32_t id = -1;
    auto found = ParseLong(source.substr(1), &id) ? texts.find(id) : texts.end();
    if (found == texts.end()) {
        *problem = "no text " + source.substr(1) + " in the language's texts";
        return false;
    }
    *text = found->second.text;
    return true;
}

namespace {

// A label's target after its fields: the factor (1) and the ink colour
// stand in for fields that were not given.
bool AppendTarget(const RcControl& control, RcBytes* record, std::string* problem) {
    if (control.target == 0)
        return true;
    if (control.type != ControlType("Label") ||
        (!control.fields.empty() && control.fields.size() != 7)) {
        *problem = "for= belongs to a Label whose fields= gives its 7 bytes or none";
        return false;
    }
    if (control.fields.empty()) {
        record->Long(std::bit_cast<std::int32_t>(1.0f));
        for (int shift : {16, 8, 0})
            record->Byte(static_cast<std::uint8_t>(KIVLook::kInk >> shift));
    }
    record->Long(control.target);
    return true;
}

// A control text: its length with the terminator and one more unit.
void ControlText(RcBytes* out, const std::u16string& text) {
    out->Long(static_cast<std::int32_t>(text.size() + 2));
    out->Units(text);
    out->Units(std::u16string(2, u'\0'));
}

bool EncodeControl(const RcControl& control, const RcTexts& texts, RcBytes* out,
                   std::string* problem) {
    std::u16string text;
    std::u16string tooltip;
    if (!ResolveLayoutText(control.text, texts, &text, problem) ||
        !ResolveLayoutText(control.tooltip, texts, &tooltip, problem))
        return false;
    RcBytes record;
    for (std::int32_t value : control.values)
        record.Long(value);
    ControlText(&record, text);
    ControlText(&record, tooltip);
    record.Append(control.fields);
    if (!AppendTarget(control, &record, problem))
        return false;
    out->Long(control.type);
    out->Long(static_cast<std::int32_t>(record.bytes.size()));
    out->Append(record.bytes);
    return true;
}

} // namespace

bool EncodeDialog(const RcDialog& dialog, const RcTexts& texts, std::vector<std::uint8_t>* record,
                  RcError* error) {
    std::u16string title;
    std::string problem;
    if (!ResolveLayoutText(dialog.title, texts, &title, &problem)) {
        *error = {dialog.file, dialog.line, problem};
        return false;
    }
    RcBytes out;
    out.Long(static_cast<std::int32_t>(4 * 8 + 2 * title.size() + 4));
    for (std::int32_t value : dialog.window)
        out.Long(value);
    out.Long(dialog.margins[0]);
    out.Long(dialog.margins[1]);
    out.Long(dialog.flags);
    out.Long(static_cast<std::int32_t>(title.size()));
    out.Units(title);
    out.Long(static_cast<std::int32_t>(dialog.controls.size()));
    for (const RcControl& control : dialog.controls)
        if (!EncodeControl(control, texts, &out, &problem)) {
            *error = {dialog.file, control.line, problem};
            return false;
        }
    *record = std::move(out.bytes);
    return true;
}
