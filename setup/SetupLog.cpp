#include "setup/SetupLog.h"

#include "setup/SetupLogText.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

namespace {

// The fields of a line, each led by a comma.
class Fields {
public:
    Fields& Text(const char* name, std::string_view value) {
        text_ += std::string(", \"") + name + "\": " + JsonQuoted(value);
        return *this;
    }
    Fields& Number(const char* name, std::int64_t value) {
        text_ += std::string(", \"") + name + "\": " + std::to_string(value);
        return *this;
    }
    Fields& Raw(const char* name, const std::string& json) {
        text_ += std::string(", \"") + name + "\": " + json;
        return *this;
    }
    const std::string& Get() const { return text_; }

private:
    std::string text_;
};

// Now, as "2026-03-01T12:34:56.789Z".
std::string TimeNow() {
    const auto now = std::chrono::system_clock::now();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                  static_cast<int>(ms % 1000));
    return text;
}

const char* ActionWord(SystemFileAction action) {
    switch (action) {
    case SystemFileAction::kCopied:
        return "copied";
    case SystemFileAction::kReplaced:
        return "replaced";
    case SystemFileAction::kKept:
        return "kept";
    case SystemFileAction::kScheduled:
        return "scheduled";
    case SystemFileAction::kFailed:
        break;
    }
    return "failed";
}

} // namespace

SetupLog::~SetupLog() {
    Close();
}

bool SetupLog::Open(const std::string& hostPath, std::string* error) {
    std::lock_guard<std::mutex> hold(lock_);
    if (file_)
        std::fclose(file_);
    file_ = std::fopen(hostPath.c_str(), "wbe");
    if (!file_ && error)
        *error = "cannot write the log " + hostPath + ": " + std::strerror(errno);
    return file_ != nullptr;
}

bool SetupLog::IsOpen() const {
    std::lock_guard<std::mutex> hold(lock_);
    return file_ != nullptr;
}

void SetupLog::Close() {
    std::lock_guard<std::mutex> hold(lock_);
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

void SetupLog::Write(const char* event, const std::string& fields) {
    std::lock_guard<std::mutex> hold(lock_);
    if (!file_)
        return;
    const std::string line =
        "{\"time\": \"" + TimeNow() + "\", \"event\": \"" + event + "\"" + fields + "}\n";
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);
}

void SetupLog::Start(const std::string& program, const std::string& medium,
                     const std::string& machine, const std::string& language,
                     const std::vector<std::pair<std::string, std::string>>& options) {
    std::string object;
    for (const auto& [name, value] : options)
        object += (object.empty() ? "" : ", ") + JsonQuoted(name) + ": " + JsonQuoted(value);
    Write("start", Fields()
                       .Text("program", program)
                       .Text("medium", medium)
                       .Text("machine", machine)
                       .Text("language", language)
                       .Raw("options", "{" + object + "}")
                       .Get());
}

void SetupLog::PageShown(const std::string& page) {
    Write("page-shown", Fields().Text("page", page).Get());
}

void SetupLog::PageLeft(const std::string& page, const std::string& result) {
    Write("page-left", Fields().Text("page", page).Text("result", result).Get());
}

void SetupLog::Message(const std::string& text, const std::string& answer) {
    Write("message", Fields().Text("text", text).Text("answer", answer).Get());
}

void SetupLog::End(int code, const std::string& result, const std::string& summary) {
    Fields fields;
    fields.Number("code", code).Text("result", result);
    if (!summary.empty())
        fields.Text("summary", summary);
    Write("end", fields.Get());
}

void SetupLog::EntryLine(const char* event, const SetupLogEntry& entry, const std::string* reason) {
    Fields fields;
    fields.Text("label", entry.label)
        .Text("folder", entry.folder)
        .Text("how", entry.packed ? "packed" : "copied")
        .Number("files", entry.files)
        .Number("bytes", entry.bytes);
    if (reason)
        fields.Text("reason", *reason);
    Write(event, fields.Get());
}

void SetupLog::EntryInstalled(const SetupLogEntry& entry) {
    EntryLine("entry", entry, nullptr);
}

void SetupLog::EntryFailed(const SetupLogEntry& entry, const std::string& reason) {
    EntryLine("entry-failed", entry, &reason);
}

void SetupLog::EntryCancelled(const SetupLogEntry& entry) {
    EntryLine("entry-cancelled", entry, nullptr);
}

void SetupLog::RegistryKeyWritten(const char* path, bool written) {
    Write(written ? "registry-key" : "registry-key-failed",
          Fields().Text("key", LogTextFromAnsi(path)).Get());
}

void SetupLog::SystemFileInstalled(const char* target, SystemFileAction action) {
    Write("system-file",
          Fields().Text("file", LogTextFromAnsi(target)).Text("action", ActionWord(action)).Get());
}

void SetupLog::ReplacementScheduled(const char* inUse, const char* copy) {
    Write("replacement",
          Fields().Text("file", LogTextFromAnsi(inUse)).Text("copy", LogTextFromAnsi(copy)).Get());
}

void SetupLog::ProgramGroupMade(const char16_t* folder) {
    Write("program-group", Fields().Text("folder", LogTextFromWide(folder)).Get());
}

void SetupLog::ShortcutMade(const char16_t* link, const char* target) {
    Write(
        "shortcut",
        Fields().Text("link", LogTextFromWide(link)).Text("target", LogTextFromAnsi(target)).Get());
}

void SetupLog::ShortcutLeftOut(const char16_t* link, const char* target) {
    Write("shortcut-left-out", Fields()
                                   .Text("link", LogTextFromWide(link))
                                   .Text("target", LogTextFromAnsi(target))
                                   .Text("reason", "target not installed")
                                   .Get());
}
