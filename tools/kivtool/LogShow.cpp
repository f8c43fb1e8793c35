#include "tools/kivtool/LogShow.h"

#include <cinttypes>
#include <cstdio>
#include <functional>
#include <map>

namespace {

// A text of the log as the terminal gets it: control characters (an escape
// sequence in a file name, a line break in a message), the C1 ones of
// U+0080 to U+009F included, are shown as escapes instead of acting on the
// terminal.
std::string Shown(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const unsigned char next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        char escape[8];
        if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
            std::snprintf(escape, sizeof escape, "\\u%04x", next);
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            std::snprintf(escape, sizeof escape, c == '\n' ? "\\n" : "\\x%02x", c);
        } else {
            out += static_cast<char>(c);
            continue;
        }
        out += escape;
    }
    return out;
}

std::string Field(const LogEvent& event, const char* name) {
    return Shown(event.Text(name));
}

std::string Files(const LogEvent& event) {
    const std::int64_t files = event.Number("files");
    return std::to_string(files) + (files == 1 ? " file, " : " files, ") +
           SizeText(event.Number("bytes"));
}

std::string Entry(const LogEvent& event) {
    return Field(event, "label") + " into " + Field(event, "folder");
}

std::string Options(const LogEvent& event) {
    const LogJson* options = event.fields.Find("options");
    std::string text;
    if (options)
        for (const auto& [name, value] : options->members)
            text += (text.empty() ? "; options: " : ", ") + Shown(name) + " " +
                    Shown(value.kind == LogJson::kText ? value.text : "?");
    return text;
}

std::string SystemFile(const LogEvent& event) {
    static const std::map<std::string, std::string> kActions = {
        {"copied", "copied"},
        {"replaced", "replaced (the new version is greater)"},
        {"kept", "kept (the installed version is not older)"},
        {"scheduled", "in use: replaced at the next restart"},
        {"failed", "FAILED"}};
    const auto action = kActions.find(event.Text("action"));
    return "System file " + Field(event, "file") + ": " +
           (action != kActions.end() ? action->second : Field(event, "action"));
}

// Any other event: its name and its text and number fields.
std::string Other(const LogEvent& event) {
    std::string text = Shown(event.event) + ":";
    for (const auto& [name, value] : event.fields.members)
        if (name != "time" && name != "event" && value.kind == LogJson::kText)
            text += " " + Shown(name) + " " + Shown(value.text);
    return text;
}

using EventText = std::function<std::string(const LogEvent&)>;

const std::map<std::string, EventText>& EventTexts() {
    static const std::map<std::string, EventText> kTexts = {
        {"start",
         [](const LogEvent& e) {
             return "Started " + Field(e, "program") + " from " + Field(e, "medium") +
                    " on the machine " + Field(e, "machine") + ", language " +
                    Field(e, "language") + Options(e);
         }},
        {"page-shown", [](const LogEvent& e) { return "Page " + Field(e, "page") + ": shown"; }},
        {"page-left",
         [](const LogEvent& e) {
             return "Page " + Field(e, "page") + ": left with " + Field(e, "result");
         }},
        {"message",
         [](const LogEvent& e) {
             const std::string answer = Field(e, "answer");
             return "Message: " + Field(e, "text") + (answer.empty() ? "" : " -> " + answer);
         }},
        {"entry",
         [](const LogEvent& e) {
             return "Installed " + Entry(e) + ": " + Files(e) + ", " +
                    (e.Text("how") == "packed" ? "unpacked" : "copied");
         }},
        {"entry-failed",
         [](const LogEvent& e) {
             return "FAILED to install " + Entry(e) + ": " + Field(e, "reason") + " (" + Files(e) +
                    " written)";
         }},
        {"entry-cancelled",
         [](const LogEvent& e) {
             return "Cancelled in " + Entry(e) + " (" + Files(e) + " written)";
         }},
        {"registry-key",
         [](const LogEvent& e) { return "Registry key " + Field(e, "key") + ": written"; }},
        {"registry-key-failed",
         [](const LogEvent& e) { return "Registry key " + Field(e, "key") + ": FAILED"; }},
        {"system-file", SystemFile},
        {"replacement",
         [](const LogEvent& e) {
             return "At the next restart " + Field(e, "file") + " is replaced by " +
                    Field(e, "copy");
         }},
        {"program-group",
         [](const LogEvent& e) { return "Program group " + Field(e, "folder") + ": made"; }},
        {"shortcut",
         [](const LogEvent& e) {
             return "Shortcut " + Field(e, "link") + " -> " + Field(e, "target");
         }},
        {"end",
         [](const LogEvent& e) {
             return "Ended with " + std::to_string(e.Number("code")) + " (" + Field(e, "result") +
                    ")";
         }},
    };
    return kTexts;
}

std::string Closing(const SetupLogContent& log, const LogEvent* end) {
    std::string text = "\n";
    if (log.cut)
        text += "The last line of the log is cut off: the setup was stopped while writing it.\n";
    if (!end)
        return text + "Result: none; the log ends before the setup did (it was stopped, or "
                      "it is still running).\n";
    text += "Result: " + std::to_string(end->Number("code")) + " (" + Field(*end, "result") + ")\n";
    const std::string summary = Field(*end, "summary");
    return summary.empty() ? text : text + "Summary: " + summary + "\n";
}

} // namespace

std::string SizeText(std::int64_t bytes) {
    static const char* const kUnits[] = {"KB", "MB", "GB"};
    if (bytes < 1024)
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    double size = static_cast<double>(bytes) / 1024;
    int unit = 0;
    for (; unit < 2 && size >= 1024; ++unit)
        size /= 1024;
    char text[48];
    std::snprintf(text, sizeof text, "%.1f %s", size, kUnits[unit]);
    return text;
}

std::string ShowSetupLog(const SetupLogContent& log) {
    if (log.events.empty() && !log.cut)
        return "The log is empty: the setup stopped before it wrote its first line.\n";
    std::string text;
    const LogEvent* end = nullptr;
    for (const LogEvent& event : log.events) {
        const auto shown = EventTexts().find(event.event);
        const std::string line = shown != EventTexts().end() ? shown->second(event) : Other(event);
        // The times of one log lie within years of each other: no overflow.
        const double seconds = static_cast<double>(event.time - log.events.front().time) / 1000;
        char time[32];
        std::snprintf(time, sizeof time, "%9.3fs  ", seconds);
        text += time + line + "\n";
        if (event.event == "end")
            end = &event;
    }
    return text + Closing(log, end);
}
