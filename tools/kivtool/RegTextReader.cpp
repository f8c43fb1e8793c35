// [SECTION] Key names
// [SECTION] Value data
// [SECTION] Lines
#include "tools/kivtool/RegTextReader.h"

#include "platform/RegistryNames.h"
#include "platform/RegistryRoots.h"
#include "platform/RegistryText.h"
#include "platform/WinBase.h"
#include "tools/kivtool/RegTextCodec.h"
#include "tools/kivtool/RegTextWriter.h"

#include <cctype>

namespace RegTextReader {
namespace {

std::string TrimRight(const std::string& text) {
    std::size_t end = text.find_last_not_of(" \t\r");
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

std::string TrimLeft(const std::string& text) {
    std::size_t start = text.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : text.substr(start);
}

bool IsHex(const std::string& text, std::size_t minimum, std::size_t maximum) {
    if (text.size() < minimum || text.size() > maximum)
        return false;
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// Reads a quoted string starting at text[*pos] == '"'; *pos ends after the
// closing quote.
bool Unquote(const std::string& text, std::size_t* pos, std::string* out, std::string* error) {
    out->clear();
    for (std::size_t i = *pos + 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            *pos = i + 1;
            return true;
        }
        if (c == '\\') {
            if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) {
                *error = "unknown escape in a quoted text (only \\\\ and \\\" are allowed)";
                return false;
            }
            c = text[++i];
        }
        out->push_back(c);
    }
    *error = "quoted text without its closing quote";
    return false;
}

bool ToAnsi(const std::string& utf8, std::string* ansi, std::string* error) {
    if (RegTextCodec::Utf8ToAnsi(utf8, ansi))
        return true;
    *error = "text that is not UTF-8 or holds a character the machine's code page lacks";
    return false;
}

// A text value's data as the registry keeps it, with its terminator. The
// older family keeps ANSI: a character its code page lacks is refused, as
// that family's registry editor reads only text of the code page, rather
// than stored as "?".
bool ToValueText(const std::string& utf8, bool wideText, std::string* data, std::string* error) {
    if (!wideText) {
        if (!RegTextCodec::Utf8ToAnsi(utf8, data)) {
            *error = "text that is not UTF-8 or holds a character the machine's code page lacks "
                     "(the older family keeps registry text in its code page)";
            return false;
        }
        data->push_back('\0');
        return true;
    }
    if (!RegTextCodec::Utf8ToUtf16Le(utf8, data)) {
        *error = "text that is not UTF-8";
        return false;
    }
    data->append(2, '\0');
    return true;
}

} // namespace

// [SECTION] Key names

bool ParseKeyName(const std::string& name, RegKeyId* root, std::string* path, std::string* error) {
    std::size_t slash = name.find('\\');
    std::string rootName = name.substr(0, slash);
    const RegistryRoot* found = RegistryRoots::FromName(rootName, true);
    if (!found) {
        *error = "unknown root key '" + rootName + "'";
        return false;
    }
    *root = RegistryStore::RootId(found->handle);
    // In UTF-8 every backslash byte is a separator; the trailing ones go
    // before the path becomes ANSI, where a backslash byte may be the second
    // half of a double-byte character.
    std::string rest = slash == std::string::npos ? std::string() : name.substr(slash + 1);
    while (!rest.empty() && rest.back() == '\\')
        rest.pop_back();
    if (rest.find('\0') != std::string::npos) {
        *error = "a key name holds a NUL character";
        return false;
    }
    if (!ToAnsi(rest, path, error))
        return false;
    const std::vector<std::string> keys = RegistryNames::SplitPath(*path, GetACP());
    if (keys.size() > RegistryNames::kMaxKeyDepth) {
        *error = "the key lies more than " + std::to_string(RegistryNames::kMaxKeyDepth) +
                 " levels below its root";
        return false;
    }
    for (const std::string& key : keys) {
        if (!path->empty() && (key.empty() || key.size() > RegistryNames::kMaxKeyNameLength)) {
            *error = key.empty() ? "empty key name in a path" : "key name longer than 255 bytes";
            return false;
        }
    }
    return true;
}

// [SECTION] Value data

namespace {

bool ParseBytes(const std::string& list, std::string* bytes, std::string* error) {
    bytes->clear();
    if (TrimLeft(list).empty())
        return true;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = std::min(list.find(',', start), list.size());
        std::string token = TrimRight(TrimLeft(list.substr(start, end - start)));
        if (!IsHex(token, 1, 2)) {
            *error = "'" + token + "' is not a hex byte";
            return false;
        }
        bytes->push_back(static_cast<char>(std::stoul(token, nullptr, 16)));
        start = end + 1;
    }
    return true;
}

bool ParseHex(const std::string& data, bool wideText, RegTextChange* change, std::string* error) {
    std::size_t colon = data.find(':');
    std::string kind = data.substr(0, colon);
    if (colon == std::string::npos) {
        *error = "hex data without ':'";
        return false;
    }
    if (kind == "hex") {
        change->type = REG_BINARY;
    } else if (kind.size() > 5 && kind.compare(0, 4, "hex(") == 0 && kind.back() == ')' &&
               IsHex(kind.substr(4, kind.size() - 5), 1, 8)) {
        change->type = static_cast<DWORD>(std::stoul(kind.substr(4, kind.size() - 5), nullptr, 16));
    } else {
        *error = "unknown data kind '" + kind + "'";
        return false;
    }
    std::string bytes;
    if (!ParseBytes(data.substr(colon + 1), &bytes, error))
        return false;
    bool text = RegistryText::IsText(change->type);
    if (!text || wideText) {
        change->data = bytes;
        return true;
    }
    if (RegTextCodec::Utf16LeToAnsi(bytes, &change->data))
        return true;
    *error = "text data that is not whole UTF-16 or holds a character the code page lacks "
             "(the older family keeps registry text in its code page)";
    return false;
}

bool ParseData(const std::string& data, bool wideText, RegTextChange* change, std::string* error) {
    if (data == "-") {
        change->kind = RegTextChange::Kind::DeleteValue;
        return true;
    }
    if (data.compare(0, 6, "dword:") == 0) {
        if (!IsHex(data.substr(6), 1, 8)) {
            *error = "dword data must be 1 to 8 hex digits";
            return false;
        }
        unsigned long number = std::stoul(data.substr(6), nullptr, 16);
        change->type = REG_DWORD;
        for (int i = 0; i < 4; ++i)
            change->data.push_back(static_cast<char>((number >> (8 * i)) & 0xFF));
        return true;
    }
    if (data.compare(0, 3, "hex") == 0)
        return ParseHex(data, wideText, change, error);
    std::size_t pos = 0;
    std::string text;
    if (data.empty() || data[0] != '"') {
        *error = "unknown value data '" + data + "'";
        return false;
    }
    if (!Unquote(data, &pos, &text, error))
        return false;
    if (pos != data.size()) {
        *error = "text after the closing quote";
        return false;
    }
    change->type = REG_SZ;
    return ToValueText(text, wideText, &change->data, error);
}

// "name"=data or @=data.
bool ParseValue(const std::string& line, bool wideText, RegTextChange* change, std::string* error) {
    std::size_t pos = 1;
    std::string name;
    if (line[0] == '"' && (pos = 0, !Unquote(line, &pos, &name, error)))
        return false;
    if (!ToAnsi(name, &change->name, error))
        return false;
    if (change->name.size() > RegistryNames::kMaxValueNameLength) {
        *error = "value name longer than 16383 bytes";
        return false;
    }
    std::string rest = TrimLeft(line.substr(pos));
    if (rest.empty() || rest[0] != '=') {
        *error = "'=' expected after the value name";
        return false;
    }
    change->kind = RegTextChange::Kind::SetValue;
    return ParseData(TrimRight(TrimLeft(rest.substr(1))), wideText, change, error);
}

} // namespace

// [SECTION] Lines

namespace {

bool Decode(const std::string& content, std::string* text) {
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        *text = content.substr(3);
        return true;
    }
    if (content.compare(0, 2, "\xFF\xFE") == 0)
        return RegTextCodec::Utf16LeToUtf8(content.substr(2), text);
    *text = content;
    return true;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

struct KeyState {
    bool open = false;
    bool deleted = false;
    RegKeyId root = 0;
    std::string path;
};

// Appends to a value line the lines that continue it (each line before
// them ends in "\"), in place: a value may run over very many lines.
void JoinContinuedLines(const std::vector<std::string>& lines, std::size_t* index,
                        std::string* line) {
    while (!line->empty() && line->back() == '\\' && *index + 1 < lines.size()) {
        line->pop_back();
        *line += TrimRight(TrimLeft(lines[++*index]));
    }
}

bool ParseHeader(const std::string& line, KeyState* key, RegTextChange* change,
                 std::string* error) {
    if (line.size() < 2 || line.back() != ']') {
        *error = "key line without its closing ']'";
        return false;
    }
    std::string name = line.substr(1, line.size() - 2);
    bool remove = !name.empty() && name[0] == '-';
    if (!ParseKeyName(remove ? name.substr(1) : name, &key->root, &key->path, error))
        return false;
    if (key->root == RegistryStore::RootId(HKEY_PERFORMANCE_DATA)) {
        *error = "HKEY_PERFORMANCE_DATA holds no keys";
        return false;
    }
    if (remove && key->path.empty()) {
        *error = "a root key cannot be deleted";
        return false;
    }
    key->open = true;
    key->deleted = remove;
    change->kind = remove ? RegTextChange::Kind::DeleteKey : RegTextChange::Kind::CreateKey;
    return true;
}

} // namespace

bool Parse(const std::string& content, bool wideText, std::vector<RegTextChange>* changes,
           int* errorLine, std::string* error) {
    changes->clear();
    std::string text;
    std::vector<std::string> lines;
    if (Decode(content, &text))
        lines = SplitLines(text);
    if (lines.empty() || TrimRight(lines[0]) != RegTextWriter::kHeader) {
        *errorLine = 1;
        *error = std::string("not a registry file: the first line must be \"") +
                 RegTextWriter::kHeader + "\"";
        return false;
    }
    KeyState key;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        *errorLine = static_cast<int>(i + 1);
        std::string line = TrimRight(TrimLeft(lines[i]));
        if (line.empty() || line[0] == ';')
            continue;
        RegTextChange change;
        change.line = *errorLine;
        if (line[0] == '[') {
            if (!ParseHeader(line, &key, &change, error))
                return false;
        } else if (line[0] == '"' || line[0] == '@') {
            JoinContinuedLines(lines, &i, &line);
            if (!key.open || key.deleted) {
                *error = key.open ? "a value under a key being deleted" : "a value before any key";
                return false;
            }
            if (!ParseValue(line, wideText, &change, error))
                return false;
        } else {
            *error = "a line that is neither a key, a value nor a comment";
            return false;
        }
        change.root = key.root;
        change.path = key.path;
        changes->push_back(change);
    }
    return true;
}

} // namespace RegTextReader
