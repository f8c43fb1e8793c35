#include "tools/kivtool/LogReader.h"

namespace {

// How every line of the writer begins; a cut first line must begin so too.
constexpr std::string_view kLineStart = "{\"time\": \"";

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

// The digits at text[at..at+count) as a number; -1 when one is no digit.
int Digits(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool ReadLine(std::string_view text, int number, LogEvent* event, std::string* why) {
    if (!ParseLogJson(text, &event->fields, why))
        return false;
    const LogJson* time = event->fields.Find("time");
    const LogJson* name = event->fields.Find("event");
    if (event->fields.kind != LogJson::kObject)
        *why = "the line is not a JSON object";
    else if (!time || time->kind != LogJson::kText || !ParseLogTime(time->text, &event->time))
        *why = "the line has no \"time\" of the form 2026-03-01T12:34:56.789Z";
    else if (!name || name->kind != LogJson::kText || name->text.empty())
        *why = "the line has no \"event\"";
    else {
        event->line = number;
        event->event = name->text;
        return true;
    }
    return false;
}

// A last line without its line end that does not read whole is a line the
// setup was writing when it was stopped, unless it cannot be the start of
// one.
bool IsCutLine(std::string_view text) {
    return text.substr(0, kLineStart.size()) == kLineStart.substr(0, text.size());
}

} // namespace

bool ParseLogTime(std::string_view text, std::int64_t* milliseconds) {
    if (text.size() != 24 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || text[19] != '.' || text[23] != 'Z')
        return false;
    const int year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
    const int hour = Digits(text, 11, 2), minute = Digits(text, 14, 2);
    const int second = Digits(text, 17, 2), milli = Digits(text, 20, 3);
    if (year < 0 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 60 || milli < 0)
        return false;
    const std::int64_t days =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    *milliseconds = ((days * 24 + hour) * 60 + minute) * 60000 + second * 1000 + milli;
    return true;
}

std::string LogEvent::Text(std::string_view name) const {
    const LogJson* value = fields.Find(name);
    return value && value->kind == LogJson::kText ? value->text : std::string();
}

std::int64_t LogEvent::Number(std::string_view name) const {
    const LogJson* value = fields.Find(name);
    if (!value || value->kind != LogJson::kNumber)
        return 0;
    constexpr double kLimit = 9.2e18; // inside the range of 64 bits
    const double number = value->number;
    return number > kLimit    ? static_cast<std::int64_t>(kLimit)
           : number < -kLimit ? -static_cast<std::int64_t>(kLimit)
                              : static_cast<std::int64_t>(number);
}

bool ReadSetupLog(std::string_view bytes, SetupLogContent* log, SetupLogError* error) {
    *log = SetupLogContent();
    int number = 0;
    while (!bytes.empty()) {
        ++number;
        const std::size_t end = bytes.find('\n');
        const bool whole = end != std::string_view::npos;
        std::string_view text = bytes.substr(0, whole ? end : bytes.size());
        bytes.remove_prefix(whole ? end + 1 : bytes.size());
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        LogEvent event;
        std::string why;
        if (ReadLine(text, number, &event, &why)) {
            log->events.push_back(std::move(event));
        } else if (!whole && IsCutLine(text)) {
            log->cut = true;
        } else {
            *error = {number, why.empty() ? "not a log line" : why};
            return false;
        }
    }
    return true;
}
