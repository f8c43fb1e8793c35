#include "tools/kivtool/ConfigProblems.h"

#include <algorithm>

void ConfigProblems::Add(int line, bool error, std::string message) {
    problems_.push_back({line, error, std::move(message)});
}

int ConfigProblems::Errors() const {
    return static_cast<int>(std::count_if(problems_.begin(), problems_.end(),
                                          [](const ConfigProblem& p) { return p.error; }));
}

void ConfigProblems::Print(std::FILE* out, const std::string& path) const {
    std::vector<ConfigProblem> sorted = problems_;
    std::stable_sort(
        sorted.begin(), sorted.end(),
        [](const ConfigProblem& a, const ConfigProblem& b) { return a.line < b.line; });
    for (const ConfigProblem& p : sorted) {
        const std::string where = p.line > 0 ? ":" + std::to_string(p.line) : "";
        std::fprintf(out, "%s%s: %s: %s\n", path.c_str(), where.c_str(),
                     p.error ? "error" : "warning", p.message.c_str());
    }
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 32 || c >= 127) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            quoted += escape;
            continue;
        }
        quoted += ch;
    }
    return quoted + "\"";
}
