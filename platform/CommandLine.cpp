#include "platform/CommandLine.h"

namespace CommandLine {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The first argument: up to a blank, or between quotes; returns its end.
std::size_t FirstArgument(const std::string& line, std::size_t at, std::string* out) {
    bool quoted = false;
    for (; at < line.size(); ++at) {
        if (line[at] == '"')
            quoted = !quoted;
        else if (IsBlank(line[at]) && !quoted)
            break;
        else
            *out += line[at];
    }
    return at;
}

std::size_t NextArgument(const std::string& line, std::size_t at, std::string* out) {
    bool quoted = false;
    while (at < line.size()) {
        char c = line[at];
        if (IsBlank(c) && !quoted)
            break;
        if (c == '\\') {
            std::size_t slashes = 0;
            while (at < line.size() && line[at] == '\\') {
                ++slashes;
                ++at;
            }
            bool quoteFollows = at < line.size() && line[at] == '"';
            out->append(quoteFollows ? slashes / 2 : slashes, '\\');
            if (quoteFollows && slashes % 2 == 1) {
                *out += '"';
                ++at;
            }
            continue;
        }
        if (c == '"') {
            if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
                *out += '"';
                at += 2;
                continue;
            }
            quoted = !quoted;
            ++at;
            continue;
        }
        *out += c;
        ++at;
    }
    return at;
}

} // namespace

std::vector<std::string> Split(const std::string& commandLine) {
    std::vector<std::string> arguments;
    std::size_t at = 0;
    while (at < commandLine.size() && IsBlank(commandLine[at]))
        ++at;
    if (at >= commandLine.size())
        return arguments;
    std::string first;
    at = FirstArgument(commandLine, at, &first);
    arguments.push_back(first);
    for (;;) {
        while (at < commandLine.size() && IsBlank(commandLine[at]))
            ++at;
        if (at >= commandLine.size())
            return arguments;
        std::string next;
        at = NextArgument(commandLine, at, &next);
        arguments.push_back(next);
    }
}

std::vector<Candidate> ProgramCandidates(const std::string& commandLine) {
    std::vector<Candidate> candidates;
    std::size_t start = 0;
    while (start < commandLine.size() && IsBlank(commandLine[start]))
        ++start;
    if (start < commandLine.size() && commandLine[start] == '"') {
        std::size_t close = commandLine.find('"', start + 1);
        std::size_t end = close == std::string::npos ? commandLine.size() : close;
        std::size_t rest = close == std::string::npos ? end : close + 1;
        candidates.push_back(
            {commandLine.substr(start + 1, end - start - 1), commandLine.substr(rest)});
        return candidates;
    }
    for (std::size_t at = start; at <= commandLine.size(); ++at)
        if (at == commandLine.size() || IsBlank(commandLine[at]))
            if (at > start && !IsBlank(commandLine[at - 1]))
                candidates.push_back(
                    {commandLine.substr(start, at - start), commandLine.substr(at)});
    return candidates;
}

} // namespace CommandLine
