#include "platform/ui/script/ScriptKeys.h"

#include "platform/WinUser.h"

#include <cctype>
#include <string>

namespace {

struct NamedKey {
    const char* name;
    int code;
};

constexpr NamedKey kNamedKeys[] = {
    {"enter", VK_RETURN},    {"return", VK_RETURN}, {"tab", VK_TAB},       {"escape", VK_ESCAPE},
    {"esc", VK_ESCAPE},      {"space", VK_SPACE},   {"back", VK_BACK},     {"backspace", VK_BACK},
    {"delete", VK_DELETE},   {"del", VK_DELETE},    {"insert", VK_INSERT}, {"home", VK_HOME},
    {"end", VK_END},         {"pageup", VK_PRIOR},  {"pagedown", VK_NEXT}, {"left", VK_LEFT},
    {"right", VK_RIGHT},     {"up", VK_UP},         {"down", VK_DOWN},     {"shift", VK_SHIFT},
    {"control", VK_CONTROL}, {"ctrl", VK_CONTROL},  {"alt", VK_MENU},
};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// "F1" to "F24".
int FunctionKey(const std::string& lower) {
    if (lower.size() < 2 || lower.size() > 3 || lower[0] != 'f')
        return 0;
    int number = 0;
    for (std::size_t i = 1; i < lower.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(lower[i])))
            return 0;
        number = number * 10 + (lower[i] - '0');
    }
    return number >= 1 && number <= 24 && lower[1] != '0' ? VK_F1 + number - 1 : 0;
}

} // namespace

int ScriptKeyCode(std::string_view name) {
    const std::string lower = Lower(name);
    if (lower.size() == 1 && std::isalpha(static_cast<unsigned char>(lower[0])))
        return std::toupper(static_cast<unsigned char>(lower[0]));
    if (lower.size() == 1 && std::isdigit(static_cast<unsigned char>(lower[0])))
        return lower[0];
    for (const NamedKey& key : kNamedKeys)
        if (lower == key.name)
            return key.code;
    return FunctionKey(lower);
}

bool ParseKeyChord(std::string_view chord, std::vector<int>* keys) {
    keys->clear();
    for (;;) {
        const std::size_t plus = chord.find('+');
        const int code = ScriptKeyCode(chord.substr(0, plus));
        if (!code)
            return false;
        keys->push_back(code);
        if (plus == std::string_view::npos)
            return true;
        chord.remove_prefix(plus + 1);
    }
}
