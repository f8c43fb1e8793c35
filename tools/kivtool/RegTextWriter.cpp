#include "tools/kivtool/RegTextWriter.h"

#include "platform/RegistryText.h"
#include "tools/kivtool/RegTextCodec.h"

#include <cstdio>

namespace RegTextWriter {
namespace {

// The keys still to write, last pushed first: an explicit stack, so that a
// deep tree costs heap, never the call stack.
struct PendingKey {
    RegKeyId id;
    std::string path;
    bool withHeader;
};

// A REG_SZ that can be written as "text": one terminator at its end, no
// other NUL, no line break, and a faithful conversion to UTF-8. Its data is
// UTF-16LE when the registry keeps text so (wideText), else ANSI.
bool AsQuotedText(const RegistryValue& value, bool wideText, std::string* utf8) {
    const std::size_t unit = wideText ? 2 : 1;
    const std::string& data = value.data;
    if (value.type != REG_SZ || data.size() < unit || data.size() % unit ||
        data.compare(data.size() - unit, unit, std::string(unit, '\0')) != 0)
        return false;
    std::string text = data.substr(0, data.size() - unit);
    std::string back; // an unpaired surrogate has no UTF-8 form
    bool converted = wideText ? RegTextCodec::Utf16LeToUtf8(text, utf8) &&
                                    RegTextCodec::Utf8ToUtf16Le(*utf8, &back) && back == text
                              : RegTextCodec::AnsiToUtf8(text, utf8);
    return converted && utf8->find_first_of(std::string("\0\r\n", 3)) == std::string::npos;
}

// A name with bytes that are no text of the code page has no faithful
// form in the file: written as it is, it would be refused on import, or
// read back as another name.
bool NamePart(const std::string& name, std::string* part) {
    std::string utf8;
    if (name.empty())
        *part = "@";
    else if (RegTextCodec::AnsiToUtf8(name, &utf8))
        *part = RegTextCodec::Quote(utf8);
    else
        return false;
    return true;
}

LONG Untranslatable(const std::string& key, std::string* failedKey) {
    *failedKey = key;
    return ERROR_NO_UNICODE_TRANSLATION;
}

std::string HexData(const RegistryValue& value, bool wideText, const std::string& prefix) {
    char kind[16];
    if (value.type == REG_BINARY)
        std::snprintf(kind, sizeof kind, "hex:");
    else
        std::snprintf(kind, sizeof kind, "hex(%x):", static_cast<unsigned>(value.type));
    bool text = RegistryText::IsText(value.type);
    std::string bytes = text && !wideText ? RegTextCodec::AnsiToUtf16Le(value.data) : value.data;
    std::string head = prefix + kind;
    return head + RegTextCodec::HexList(bytes, head.size());
}

std::string DataPart(const RegistryValue& value, bool wideText, const std::string& prefix) {
    std::string utf8;
    if (AsQuotedText(value, wideText, &utf8))
        return prefix + RegTextCodec::Quote(utf8);
    if (value.type == REG_DWORD && value.data.size() == 4) {
        unsigned number = 0;
        for (int i = 3; i >= 0; --i)
            number =
                number << 8 | static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]);
        char text[24];
        std::snprintf(text, sizeof text, "dword:%08x", number);
        return prefix + text;
    }
    return HexData(value, wideText, prefix);
}

// Writes the key's header and values, and puts its sub keys on the stack so
// that the first comes out first.
LONG WriteOneKey(RegistryStore& store, const PendingKey& key, std::vector<PendingKey>* pending,
                 std::string* out, std::string* failedKey) {
    std::vector<RegistryValue> values;
    std::vector<RegistrySubKey> subKeys;
    if (LONG result = store.Values(key.id, &values))
        return result;
    if (LONG result = store.SubKeys(key.id, &subKeys))
        return result;
    if (key.withHeader || !values.empty()) {
        *out += "\n[" + key.path + "]\n";
        for (const RegistryValue& value : values) {
            std::string line;
            if (!ValueLine(value, store.WideText(), &line))
                return Untranslatable(key.path, failedKey);
            *out += line + "\n";
        }
    }
    for (auto subKey = subKeys.rbegin(); subKey != subKeys.rend(); ++subKey) {
        std::string name;
        if (!RegTextCodec::AnsiToUtf8(subKey->name, &name))
            return Untranslatable(key.path, failedKey);
        pending->push_back({subKey->id, key.path + "\\" + name, true});
    }
    return ERROR_SUCCESS;
}

} // namespace

bool ValueLine(const RegistryValue& value, bool wideText, std::string* line) {
    std::string name;
    if (!NamePart(value.name, &name))
        return false;
    *line = DataPart(value, wideText, name + "=");
    return true;
}

LONG WriteKey(RegistryStore& store, RegKeyId key, const std::string& path, bool withHeader,
              std::string* out, std::string* failedKey) {
    std::vector<PendingKey> pending{{key, path, withHeader}};
    while (!pending.empty()) {
        PendingKey next = std::move(pending.back());
        pending.pop_back();
        if (LONG result = WriteOneKey(store, next, &pending, out, failedKey))
            return result;
    }
    return ERROR_SUCCESS;
}

bool FileText(const std::string& text, bool utf8, std::string* file) {
    if (utf8) {
        *file = text;
        return true;
    }
    std::string lines;
    lines.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            lines.push_back('\r');
        lines.push_back(c);
    }
    if (!RegTextCodec::Utf8ToUtf16Le(lines, file))
        return false;
    file->insert(0, "\xFF\xFE");
    return true;
}

} // namespace RegTextWriter
