// ConfigProblems: what "kivtool config check" found wrong with a setup
// description, each with the line it concerns (0 when it concerns the whole
// file). Errors are what a vendor must fix; warnings are what the setup
// accepts but is rarely meant. Texts from the description are quoted with
// Quoted() so that no byte of the file reaches the terminal unescaped.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

struct ConfigProblem {
    int line = 0;
    bool error = true;
    std::string message;
};

class ConfigProblems {
public:
    void Error(int line, std::string message) { Add(line, true, std::move(message)); }
    void Warning(int line, std::string message) { Add(line, false, std::move(message)); }

    int Errors() const;
    int Warnings() const { return static_cast<int>(problems_.size()) - Errors(); }
    // Prints "PATH:LINE: error: message" lines (no LINE when it is 0), in line order.
    void Print(std::FILE* out, const std::string& path) const;
    const std::vector<ConfigProblem>& All() const { return problems_; }

private:
    void Add(int line, bool error, std::string message);
    std::vector<ConfigProblem> problems_;
};

// The text between double quotes, with control bytes and bytes from 127 up
// written as escapes (\x07); Windows paths keep their backslashes as they are.
std::string Quoted(std::string_view text);
