#include "setup/SetupCommandLine.h"

#include "platform/Machine.h"
#include "platform/PathMap.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The value of "/NAME=value" in *value; false when arg is another option.
bool TakeValue(const std::string& arg, const char* name, std::string* value) {
    const std::string prefix = std::string(name) + "=";
    if (Upper(arg.substr(1, prefix.size())) != prefix)
        return false;
    *value = arg.substr(1 + prefix.size());
    return true;
}

// One option into *options; false when arg is none of them.
bool TakeOption(const std::string& arg, SetupCommandLine* options, std::string* value) {
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-'))
        return false;
    if (Upper(arg.substr(1)) == "S")
        options->silent = true;
    else if (TakeValue(arg, "RESPONSE", value))
        options->responseFile = *value;
    else if (TakeValue(arg, "RECORD", value))
        options->recordFile = *value;
    else if (TakeValue(arg, "D", value))
        options->folder = *value;
    else if (TakeValue(arg, "LANG", value))
        options->language = *value;
    else if (TakeValue(arg, "LOG", value))
        options->logFile = *value;
    else
        return false;
    return true;
}

} // namespace

bool ParseSetupCommandLine(const std::vector<std::string>& args, SetupCommandLine* options,
                           std::string* error) {
    for (const std::string& arg : args) {
        std::string value;
        const bool known = TakeOption(arg, options, &value);
        if (!known || (arg.find('=') != std::string::npos && value.empty())) {
            *error = known ? "\"" + arg + "\" needs a value" : "unknown option \"" + arg + "\"";
            return false;
        }
    }
    return true;
}

void AllowCommandLineFiles(const SetupCommandLine& options) {
    for (const std::string* file : {&options.logFile, &options.recordFile}) {
        std::string host;
        unsigned error = 0;
        if (!file->empty() && PathMap::ToHost(*file, &host, &error))
            Machine::AllowHostChanges(host);
    }
}
