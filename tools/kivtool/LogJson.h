// The JSON of one install log line, read strictly: an object of texts,
// numbers and (for the start line's options) a nested object. Any JSON value
// is read, so that a later writer's extra fields do not make a log unreadable;
// nesting is bounded, so that a hostile file cannot exhaust the stack.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct LogJsonMember;

struct LogJson {
    enum Kind { kNull, kBool, kNumber, kText, kArray, kObject };
    Kind kind = kNull;
    bool flag = false;
    double number = 0;
    std::string text; // UTF-8
    std::vector<LogJson> items;
    std::vector<LogJsonMember> members; // in the line's order

    // The member of that name (the first one), or null.
    const LogJson* Find(std::string_view name) const;
};

struct LogJsonMember {
    std::string name;
    LogJson value;
};

// Reads exactly one JSON value from text (white space around it allowed).
// False with *error set when text is not that: bad syntax, a text that is
// not valid UTF-8 or holds a raw control character, nesting deeper than 32.
bool ParseLogJson(std::string_view text, LogJson* value, std::string* error);
