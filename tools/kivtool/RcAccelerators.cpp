// The accelerator source of kivtool rc.
#include "tools/kivtool/RcOutput.h"

#include <cctype>

namespace {

bool KeyCode(const std::string& word, std::int32_t* key) {
    if (word.size() == 1 && std::isalnum(static_cast<unsigned char>(word[0]))) {
        *key = std::toupper(static_cast<unsigned char>(word[0]));
        return true;
    }
    std::int32_t number = 0;
    if ((word[0] == 'F' || word[0] == 'f') && ParseLong(word.substr(1), &number) && number >= 1 &&
        number <= 24) {
        *key = 111 + number; // F1 is virtual key 112
        return true;
    }
    return ParseLong(word, key) && *key >= 0 && *key <= 255;
}

bool Modifiers(const std::string& word, std::int32_t* bits) {
    *bits = 0;
    if (word == "none")
        return true;
    std::size_t start = 0;
    while (start <= word.size()) {
        const std::size_t plus = word.find('+', start);
        const std::string name = word.substr(start, plus - start);
        if (name == "shift")
            *bits |= 4;
        else if (name == "ctrl")
            *bits |= 8;
        else if (name == "alt")
            *bits |= 16;
        else
            return false;
        if (plus == std::string::npos)
            return true;
        start = plus + 1;
    }
    return false;
}

} // namespace

bool ReadAccelerators(const std::string& path, std::vector<RcAcceleratorLine>* lines,
                      RcError* error) {
    std::vector<RcLine> source;
    lines->clear();
    if (!ReadSourceLines(path, false, &source, error))
        return false;
    for (const RcLine& line : source) {
        const std::vector<std::string> words = SplitWords(line.text);
        RcAcceleratorLine read;
        bool ok = words.size() >= 3 && words.size() <= 5 && KeyCode(words[0], &read.fields[0]) &&
                  Modifiers(words[1], &read.fields[1]) && ParseLong(words[2], &read.fields[2]);
        for (std::size_t i = 3; ok && i < words.size(); ++i)
            ok = ParseLong(words[i], &read.fields[i]);
        if (!ok) {
            *error = {path, line.number,
                      "expected KEY MODIFIERS COMMAND [FLAG [VALUE]] (MODIFIERS none or "
                      "ctrl+shift+alt)"};
            return false;
        }
        lines->push_back(read);
    }
    return true;
}
