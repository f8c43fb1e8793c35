// The libraries above the toolkit split ANSI paths and key paths only through
// KIVAnsiName: a byte search for the backslash cuts a double-byte character
// of code page 932 whose trail byte is 0x5C. This test reads their sources
// and fails on every byte search for a backslash that the list below does
// not name. A search for the slash alone is harmless (0x2F is never a trail
// byte) and a wide character literal (u'\\') is UTF-16, so neither counts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A narrow backslash literal: '\\' not preceded by u or L, or a string
// literal holding a backslash.
const std::string kChar = R"((?:^|[^uL])'\\\\')";
const std::string kString = R"("[^"]*\\\\[^"]*")";

const std::vector<std::regex>& Searches() {
    static const std::vector<std::regex> searches = {
        std::regex(R"(\bstrr?chr\s*\([^;]*)" + kChar),
        std::regex(R"(\bmemr?chr\s*\([^;]*)" + kChar),
        std::regex(R"(\bfind_(?:last|first)_(?:not_)?of\s*\()" + kString),
        std::regex(R"(\b(?:r?find|ReverseFind|Find)\s*\(\s*'\\\\')"),
        std::regex(R"(\b(?:r?find|ReverseFind|Find)\s*\(\s*"\\\\)"),
        std::regex(R"(\bcount(?:_if)?\s*\([^;]*)" + kChar),
        std::regex(R"(\.back\(\)\s*[!=]=\s*'\\\\')"),
        std::regex(R"(-\s*1\s*\]\s*[!=]=\s*'\\\\')"),
    };
    return searches;
}

struct Allowed {
    const char* file;   // relative to the source folder
    const char* text;   // a part of the line
    const char* reason; // why this text is not ANSI text of the machine
};

// Every entry says why its text needs no care for double-byte characters.
const Allowed kAllowed[] = {
    {"setup/SetupState.cpp", "ReverseFind('\\\\')", "KIVString holds UTF-16"},
    {"setup/InstallJournalOpening.cpp", "ReverseFind('\\\\')", "KIVString holds UTF-16"},
    {"setup/SetupFreeSpace.cpp", "ReverseFind('\\\\')", "KIVString holds UTF-16"},
    {"setup/SetupVariables.cpp", "Find('\\\\'", "KIVString holds UTF-16"},
    {"setup/SetupVariables.cpp", "ReverseFind('\\\\')", "KIVString holds UTF-16"},
    {"engine/CopyFolderFiles.cpp", "ReverseFind('\\\\')", "KIVString holds UTF-16"},
    {"setup/SetupDriverLog.cpp", "line.folder.back()", "the log's folder text is UTF-8"},
    {"tools/kivtool/PackExtract.cpp", "windowsPath.rfind('\\\\')",
     "a host path mapped to the machine, in UTF-8"},
    {"tools/kivtool/RegTextReader.cpp", "name.find('\\\\')",
     "a .reg key name in UTF-8, before it becomes ANSI"},
    {"tools/kivtool/RegTextReader.cpp", "rest.back() == '\\\\'",
     "a .reg key name in UTF-8, before it becomes ANSI"},
    {"tools/kivtool/RegTextReader.cpp", "line->back() == '\\\\'",
     "a continued line of a .reg file in UTF-8"},
    {"tools/kivtool/DistProjectCheck.cpp", "text.find_first_of(", "a project file's UTF-8 text"},
    {"tools/kivtool/InstallOptions.cpp", "options->program.find_first_of(",
     "a program name given on the command line, in UTF-8"},
};

bool IsAllowed(const std::string& file, const std::string& line) {
    for (const Allowed& allowed : kAllowed)
        if (file == allowed.file && line.find(allowed.text) != std::string::npos)
            return true;
    return false;
}

bool IsByteSearch(const std::string& line) {
    for (const std::regex& search : Searches())
        if (std::regex_search(line, search))
            return true;
    return false;
}

// "file:line: text" for every byte search for a backslash in a folder.
std::vector<std::string> ByteSearches(const fs::path& source, const char* folder) {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(source / folder)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h"))
            continue;
        const std::string file = entry.path().lexically_relative(source).generic_string();
        std::ifstream in(entry.path());
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            if (IsByteSearch(line) && !IsAllowed(file, line))
                found.push_back(file + ":" + std::to_string(number) + ": " + line);
        }
    }
    return found;
}

} // namespace

TEST(KIVAnsiNameSources, NoByteSearchForABackslashAboveTheToolkit) {
    const fs::path source = KIV_SOURCE_DIR;
    for (const char* folder : {"engine", "setup", "wizard", "tools"})
        for (const std::string& line : ByteSearches(source, folder))
            ADD_FAILURE() << line << "\n  walk it with KIVAnsiName, or name it in kAllowed";
}

TEST(KIVAnsiNameSources, TheSearchesFindTheFormsThatCutACharacter) {
    for (const char* line :
         {R"(p = std::strchr(path, '\\');)", R"(s.find_last_of("\\/"))", R"(s.rfind('\\'))",
          R"(strrchr(path, '\\'))", R"(std::count(p.begin(), p.end(), '\\'))",
          R"(if (f.back() == '\\'))", R"(s.find("\\x"))"})
        EXPECT_TRUE(IsByteSearch(line)) << line;
    for (const char* line : {R"(s.rfind(u'\\'))", R"(s.find('/'))", R"(c == '\\')",
                             R"(KIVAnsiName::LastSeparator(path))"})
        EXPECT_FALSE(IsByteSearch(line)) << line;
}
