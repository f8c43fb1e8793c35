#include "setup/SetupResponse.h"

#include "toolkit/KIVFileStream.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool ParseYesNo(const std::string& value, bool* out) {
    const std::string word = Lower(value);
    if (word == "yes" || word == "true" || word == "1") {
        *out = true;
        return true;
    }
    if (word == "no" || word == "false" || word == "0") {
        *out = false;
        return true;
    }
    return false;
}

bool ParseLicence(const std::string& value, bool* out) {
    const std::string word = Lower(value);
    if (word == "accept" || word == "accepted") {
        *out = true;
        return true;
    }
    if (word == "decline" || word == "declined") {
        *out = false;
        return true;
    }
    return false;
}

std::vector<std::string> SplitList(const std::string& value) {
    std::vector<std::string> items;
    std::stringstream stream(value);
    std::string item;
    while (std::getline(stream, item, ','))
        if (!Trim(item).empty())
            items.push_back(Trim(item));
    return items;
}

bool HasControlBytes(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](unsigned char c) { return c < 0x20 && c != '\t'; });
}

// One "Key = value" line; a message when the key or value does not fit.
std::string TakeLine(const std::string& key, const std::string& value, SetupResponse* response) {
    const std::string name = Lower(key);
    bool flag = false;
    if (name == "language")
        response->language = value;
    else if (name == "licence" || name == "license") {
        if (!ParseLicence(value, &flag))
            return "Licence takes accept or decline, not \"" + value + "\"";
        response->licenceAccepted = flag;
    } else if (name == "user")
        response->userName = value;
    else if (name == "company")
        response->company = value;
    else if (name == "setuptype")
        response->setupType = value;
    else if (name == "folder")
        response->folder = value;
    else if (name == "components")
        response->components = SplitList(value);
    else if (name == "launch" || name == "startupshortcut" || name == "runprograms") {
        if (!ParseYesNo(value, &flag))
            return key + " takes yes or no, not \"" + value + "\"";
        (name == "launch"            ? response->launch
         : name == "startupshortcut" ? response->startupShortcut
                                     : response->runPrograms) = flag;
    } else
        return "unknown key \"" + key + "\"";
    return std::string();
}

std::string YesNo(bool flag) {
    return flag ? "yes" : "no";
}

} // namespace

bool ParseSetupResponse(const std::string& text, SetupResponse* response, std::string* error) {
    if (text.size() > kMaxResponseBytes) {
        *error = "the file is larger than 64 KB";
        return false;
    }
    std::size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    for (int number = 1; start < text.size(); ++number) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::size_t length = end - start;
        const std::string line = Trim(text.substr(start, length));
        start = end + 1;
        std::string problem;
        if (length > kMaxResponseLine)
            problem = "the line is longer than 4096 bytes";
        else if (line.empty() || line[0] == '#')
            continue;
        else if (HasControlBytes(line))
            problem = "the line holds control characters";
        else if (line.find('=') == std::string::npos)
            problem = "expected Key = value";
        else
            problem = TakeLine(Trim(line.substr(0, line.find('='))),
                               Trim(line.substr(line.find('=') + 1)), response);
        if (!problem.empty()) {
            *error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
    }
    return true;
}

bool ReadSetupResponse(const char16_t* path, SetupResponse* response, std::string* error) {
    KIVFileStream file;
    if (!file.Open(KIVFileStream::kRawRead, path, 0)) {
        *error = "the file cannot be read";
        return false;
    }
    std::string text(kMaxResponseBytes + 1, '\0');
    const int got = file.Read(text.data(), static_cast<int>(text.size()));
    file.Close();
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return ParseSetupResponse(text, response, error);
}

std::string FormatSetupResponse(const SetupResponse& response) {
    std::string text = "# Setup response: the choices made on the setup's pages.\n"
                       "# Replay it with Setup.exe /S /RESPONSE=FILE.\n";
    auto add = [&text](const char* key, const std::string& value) {
        text += std::string(key) + " = " + value + "\n";
    };
    if (response.language)
        add("Language", *response.language);
    if (response.licenceAccepted)
        add("Licence", *response.licenceAccepted ? "accept" : "decline");
    if (response.userName)
        add("User", *response.userName);
    if (response.company)
        add("Company", *response.company);
    if (response.setupType)
        add("SetupType", *response.setupType);
    if (response.folder)
        add("Folder", *response.folder);
    if (response.components) {
        std::string list;
        for (const std::string& name : *response.components)
            list += (list.empty() ? "" : ", ") + name;
        add("Components", list);
    }
    if (response.launch)
        add("Launch", YesNo(*response.launch));
    if (response.startupShortcut)
        add("StartupShortcut", YesNo(*response.startupShortcut));
    if (response.runPrograms)
        add("RunPrograms", YesNo(*response.runPrograms));
    return text;
}
