#include "tools/kivtool/LogJson.h"

#include "setup/SetupLogText.h"

#include <cstdlib>

namespace {

constexpr int kMaxDepth = 32;

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    bool Document(LogJson* value) {
        if (!Value(value, 0))
            return false;
        SkipSpace();
        return at_ == text_.size() || Fail("text after the end of the value");
    }
    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& why) {
        if (error_.empty())
            error_ = why + " at column " + std::to_string(at_ + 1);
        return false;
    }
    void SkipSpace() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' ||
                                      text_[at_] == '\r' || text_[at_] == '\n'))
            ++at_;
    }
    bool Take(char c) {
        SkipSpace();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool Word(std::string_view word) {
        if (text_.substr(at_, word.size()) != word)
            return Fail("an unknown word");
        at_ += word.size();
        return true;
    }

    bool Value(LogJson* value, int depth);
    bool Object(LogJson* value, int depth);
    bool Array(LogJson* value, int depth);
    bool Text(std::string* out);
    bool Escape(std::string* out);
    bool Hex4(unsigned* code);
    bool Number(LogJson* value);

    std::string_view text_;
    std::size_t at_ = 0;
    std::string error_;
};

bool JsonReader::Value(LogJson* value, int depth) {
    if (depth > kMaxDepth)
        return Fail("values nested too deeply");
    SkipSpace();
    if (at_ >= text_.size())
        return Fail("the line ends where a value should be");
    const char c = text_[at_];
    if (c == '{')
        return Object(value, depth);
    if (c == '[')
        return Array(value, depth);
    if (c == '"') {
        value->kind = LogJson::kText;
        return Text(&value->text);
    }
    if (c == 't' || c == 'f') {
        value->kind = LogJson::kBool;
        value->flag = c == 't';
        return Word(c == 't' ? "true" : "false");
    }
    if (c == 'n')
        return Word("null");
    return Number(value);
}

bool JsonReader::Object(LogJson* value, int depth) {
    ++at_;
    value->kind = LogJson::kObject;
    if (Take('}'))
        return true;
    do {
        SkipSpace();
        LogJsonMember member;
        if (at_ >= text_.size() || text_[at_] != '"')
            return Fail("a member name should be here");
        if (!Text(&member.name))
            return false;
        if (!Take(':'))
            return Fail("':' should follow a member name");
        if (!Value(&member.value, depth + 1))
            return false;
        value->members.push_back(std::move(member));
    } while (Take(','));
    return Take('}') || Fail("',' or '}' should be here");
}

bool JsonReader::Array(LogJson* value, int depth) {
    ++at_;
    value->kind = LogJson::kArray;
    if (Take(']'))
        return true;
    do {
        value->items.emplace_back();
        if (!Value(&value->items.back(), depth + 1))
            return false;
    } while (Take(','));
    return Take(']') || Fail("',' or ']' should be here");
}

bool JsonReader::Text(std::string* out) {
    ++at_;
    while (at_ < text_.size()) {
        const unsigned char c = static_cast<unsigned char>(text_[at_]);
        if (c == '"') {
            ++at_;
            return true;
        }
        if (c < 0x20)
            return Fail("a control character inside a text");
        if (c == '\\') {
            if (!Escape(out))
                return false;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(text_, at_);
        if (length == 0)
            return Fail("a byte that is not UTF-8");
        out->append(text_.substr(at_, length));
        at_ += length;
    }
    return Fail("a text without its closing quote");
}

bool JsonReader::Hex4(unsigned* code) {
    if (at_ + 4 > text_.size())
        return Fail("a cut \\u escape");
    *code = 0;
    for (int k = 0; k < 4; ++k) {
        const char c = text_[at_++];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0)
            return Fail("a bad \\u escape");
        *code = *code * 16 + static_cast<unsigned>(digit);
    }
    return true;
}

void AppendUtf8(std::string* out, unsigned code) {
    if (code < 0x80) {
        *out += static_cast<char>(code);
    } else if (code < 0x800) {
        *out += static_cast<char>(0xC0 | (code >> 6));
        *out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out += static_cast<char>(0xE0 | (code >> 12));
        *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *out += static_cast<char>(0xF0 | (code >> 18));
        *out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// A surrogate without its partner reads as U+FFFD.
bool JsonReader::Escape(std::string* out) {
    if (++at_ >= text_.size())
        return Fail("a cut escape");
    static const std::string_view kFrom = "\"\\/bfnrt";
    static const std::string_view kTo = "\"\\/\b\f\n\r\t";
    const char c = text_[at_++];
    if (const std::size_t k = kFrom.find(c); k != std::string_view::npos) {
        *out += kTo[k];
        return true;
    }
    unsigned code = 0;
    if (c != 'u' || !Hex4(&code))
        return Fail("a bad escape");
    if (code >= 0xD800 && code < 0xDC00 && text_.substr(at_, 2) == "\\u") {
        at_ += 2;
        unsigned low = 0;
        if (!Hex4(&low))
            return false;
        code = low >= 0xDC00 && low < 0xE000 ? 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00)
                                             : 0xFFFD;
    } else if (code >= 0xD800 && code < 0xE000) {
        code = 0xFFFD;
    }
    AppendUtf8(out, code);
    return true;
}

bool JsonReader::Number(LogJson* value) {
    const std::size_t start = at_;
    const auto digits = [&] {
        const std::size_t from = at_;
        while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9')
            ++at_;
        return at_ > from;
    };
    if (at_ < text_.size() && text_[at_] == '-')
        ++at_;
    if (at_ < text_.size() && text_[at_] == '0')
        ++at_;
    else if (!digits())
        return Fail("a value that is none of JSON's");
    if (at_ < text_.size() && text_[at_] == '.' && (++at_, !digits()))
        return Fail("a number without digits after its point");
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
        ++at_;
        if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-'))
            ++at_;
        if (!digits())
            return Fail("a number without digits in its exponent");
    }
    value->kind = LogJson::kNumber;
    value->number = std::strtod(std::string(text_.substr(start, at_ - start)).c_str(), nullptr);
    return true;
}

} // namespace

const LogJson* LogJson::Find(std::string_view name) const {
    for (const LogJsonMember& member : members)
        if (member.name == name)
            return &member.value;
    return nullptr;
}

bool ParseLogJson(std::string_view text, LogJson* value, std::string* error) {
    JsonReader reader(text);
    *value = LogJson();
    if (reader.Document(value))
        return true;
    *error = reader.Error();
    return false;
}
