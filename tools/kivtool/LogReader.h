// The reader of install logs (setup/SetupLog.h): JSON lines, each an object
// with "time" (UTC, ISO 8601 with milliseconds) and "event" first. A setup
// that was killed may leave its last line cut: it is then set aside and
// reported, not refused. Anything else that is not a log line is refused
// with its line number.
#pragma once

#include "tools/kivtool/LogJson.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct LogEvent {
    int line = 0;
    std::int64_t time = 0; // milliseconds since 1970-01-01 UTC
    std::string event;
    LogJson fields; // the whole line

    // A text field, or "" when it is missing or no text.
    std::string Text(std::string_view name) const;
    // A number field, or 0 when it is missing or no number; cut to the
    // range of 64 bits.
    std::int64_t Number(std::string_view name) const;
};

struct SetupLogContent {
    std::vector<LogEvent> events;
    bool cut = false; // the last line ends without its line end and does not read whole
};

struct SetupLogError {
    int line = 0; // counted from 1
    std::string reason;
};

bool ReadSetupLog(std::string_view bytes, SetupLogContent* log, SetupLogError* error);

// "2026-03-01T12:34:56.789Z" as milliseconds since 1970; false when the text
// is not exactly that form or names no real time of day.
bool ParseLogTime(std::string_view text, std::int64_t* milliseconds);
