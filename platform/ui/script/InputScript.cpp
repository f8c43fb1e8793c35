// The parser of input scripts.
#include "platform/ui/script/InputScript.h"

#include "platform/HostText.h"
#include "platform/ui/script/ScriptKeys.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace {

constexpr long kLongestWait = 24L * 60 * 60 * 1000;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// Splits off the first word; *rest keeps what follows it, trimmed.
std::string_view FirstWord(std::string_view text, std::string_view* rest) {
    text = Trim(text);
    std::size_t end = 0;
    while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])))
        ++end;
    *rest = Trim(text.substr(end));
    return text.substr(0, end);
}

bool ParseNumber(std::string_view text, long low, long high, long* value) {
    bool negative = !text.empty() && text[0] == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || text.size() > 9)
        return false;
    long number = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        number = number * 10 + (c - '0');
    }
    if (negative)
        number = -number;
    if (number < low || number > high)
        return false; // *value keeps what it held: callers keep their default
    *value = number;
    return true;
}

// "#ID": a control's or dialog's identifier.
bool ParseId(std::string_view text, int* id) {
    long value = 0;
    if (text.size() < 2 || text[0] != '#' || !ParseNumber(text.substr(1), 1, 0x7FFFFFFF, &value))
        return false;
    *id = static_cast<int>(value);
    return true;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80                   ? 1
                                   : lead >= 0xF0 && lead < 0xF5 ? 4
                                   : lead >= 0xE0                ? 3
                                   : lead >= 0xC2 && lead < 0xE0 ? 2
                                                                 : 0;
        if (!length || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

bool Wide(std::string_view text, std::u16string* wide, std::string* error) {
    if (!IsUtf8(text)) {
        *error = "the text is not UTF-8";
        return false;
    }
    *wide = HostText::ToWide(std::string(text));
    return true;
}

// [SECTION] One function per command: the arguments into the step, or a
// message in *error.

bool WaitWindow(std::string_view args, ScriptStep* step, std::string* error) {
    long timeout = kDefaultWindowTimeout;
    std::string_view title = args;
    if (!args.empty() && args[0] == '"') {
        const std::size_t close = args.find('"', 1);
        if (close == std::string_view::npos) {
            *error = "the title's closing quote is missing";
            return false;
        }
        title = args.substr(1, close - 1);
        const std::string_view after = Trim(args.substr(close + 1));
        if (!after.empty() && !ParseNumber(after, 0, kLongestWait, &timeout)) {
            *error = "the timeout is not a number of milliseconds";
            return false;
        }
    } else if (const std::size_t space = args.find_last_of(" \t");
               space != std::string_view::npos &&
               ParseNumber(args.substr(space + 1), 0, kLongestWait, &timeout)) {
        title = Trim(args.substr(0, space));
    }
    step->milliseconds = static_cast<int>(timeout);
    if (!title.empty() && title[0] == '#' && args[0] != '"')
        return ParseId(title, &step->id) || (*error = "bad window identifier", false);
    if (title.empty()) {
        *error = "wait-window needs a title or #ID";
        return false;
    }
    return Wide(title, &step->text, error);
}

bool Key(std::string_view args, ScriptStep* step, std::string* error) {
    std::string_view rest;
    for (std::string_view word = FirstWord(args, &rest); !word.empty();
         word = FirstWord(rest, &rest)) {
        std::vector<int> chord;
        if (!ParseKeyChord(word, &chord)) {
            *error = "unknown key \"" + std::string(word) + "\"";
            return false;
        }
        step->chords.push_back(chord);
    }
    if (step->chords.empty())
        *error = "key needs a key name";
    return !step->chords.empty();
}

bool Type(std::string_view args, ScriptStep* step, std::string* error) {
    if (args.empty()) {
        *error = "type needs a text";
        return false;
    }
    return Wide(args, &step->text, error);
}

bool Click(std::string_view args, ScriptStep* step, std::string* error) {
    std::string_view rest;
    const std::string_view first = FirstWord(args, &rest);
    if (!first.empty() && first[0] == '#' && rest.empty())
        return ParseId(first, &step->id) || (*error = "bad control identifier", false);
    std::string_view extra;
    const std::string_view second = FirstWord(rest, &extra);
    long x = 0, y = 0;
    if (!extra.empty() || !ParseNumber(first, -100000, 100000, &x) ||
        !ParseNumber(second, -100000, 100000, &y)) {
        *error = "click needs X Y or #ID";
        return false;
    }
    step->point = POINT{static_cast<LONG>(x), static_cast<LONG>(y)};
    return true;
}

bool Screenshot(std::string_view args, ScriptStep* step, std::string* error) {
    step->path = std::string(args);
    if (step->path.empty())
        *error = "screenshot needs a file name";
    return !step->path.empty();
}

bool ExpectText(std::string_view args, ScriptStep* step, std::string* error) {
    std::string_view text;
    const std::string_view id = FirstWord(args, &text);
    if (!ParseId(id, &step->id)) {
        *error = "expect-text needs #ID and a text";
        return false;
    }
    return Wide(text, &step->text, error);
}

bool Sleep(std::string_view args, ScriptStep* step, std::string* error) {
    long milliseconds = 0;
    if (!ParseNumber(args, 0, kLongestWait, &milliseconds)) {
        *error = "sleep needs a number of milliseconds";
        return false;
    }
    step->milliseconds = static_cast<int>(milliseconds);
    return true;
}

struct CommandSyntax {
    const char* word;
    ScriptCommand command;
    bool (*parse)(std::string_view, ScriptStep*, std::string*);
};

constexpr CommandSyntax kCommands[] = {
    {"wait-window", ScriptCommand::WaitWindow, &WaitWindow},
    {"key", ScriptCommand::Key, &Key},
    {"type", ScriptCommand::Type, &Type},
    {"click", ScriptCommand::Click, &Click},
    {"screenshot", ScriptCommand::Screenshot, &Screenshot},
    {"expect-text", ScriptCommand::ExpectText, &ExpectText},
    {"sleep", ScriptCommand::Sleep, &Sleep},
};

// The text after the command word keeps its inner spaces: type and
// expect-text take it as it is written, but for the one separating space.
bool ParseLine(std::string_view line, ScriptStep* step, std::string* error) {
    std::string_view rest;
    const std::string_view word = FirstWord(line, &rest);
    for (const CommandSyntax& syntax : kCommands) {
        if (word != syntax.word)
            continue;
        step->command = syntax.command;
        if (syntax.command == ScriptCommand::Type) {
            line = line.substr(line.find(word) + word.size());
            rest = line.empty() ? line : line.substr(1);
        }
        return syntax.parse(rest, step, error);
    }
    *error = "unknown command \"" + std::string(word) + "\"";
    return false;
}

} // namespace

bool ParseInputScript(const std::string& text, const std::string& name,
                      std::vector<ScriptStep>* steps, std::string* error) {
    steps->clear();
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string_view content = Trim(line);
        if (content.empty() || content[0] == '#')
            continue;
        ScriptStep step;
        step.line = number;
        std::string message;
        if (!ParseLine(line, &step, &message)) {
            *error = name + ":" + std::to_string(number) + ": " + message;
            return false;
        }
        steps->push_back(std::move(step));
    }
    return true;
}

bool LoadInputScript(const std::string& hostPath, std::vector<ScriptStep>* steps,
                     std::string* error) {
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) {
        *error = hostPath + ": cannot be read";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseInputScript(text.str(), hostPath, steps, error);
}
