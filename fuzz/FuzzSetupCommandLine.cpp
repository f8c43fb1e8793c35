// Fuzz target: the setup program's command line. The input is its
// arguments, separated by NUL bytes. A refusal names the argument; options
// that read are written back as options that read the same.
#include "setup/SetupCommandLine.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

std::vector<std::string> Arguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i)
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    return args;
}

void Put(std::vector<std::string>* args, const char* option, const std::string& value) {
    if (!value.empty())
        args->push_back(std::string("/") + option + "=" + value);
}

bool Same(const SetupCommandLine& a, const SetupCommandLine& b) {
    return a.silent == b.silent && a.responseFile == b.responseFile &&
           a.recordFile == b.recordFile && a.folder == b.folder && a.language == b.language &&
           a.logFile == b.logFile;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = Arguments(data, size);
    SetupCommandLine options;
    std::string error;
    if (!ParseSetupCommandLine(args, &options, &error)) {
        Check(!error.empty());
        return 0;
    }
    std::vector<std::string> again;
    if (options.silent)
        again.push_back("/S");
    Put(&again, "RESPONSE", options.responseFile);
    Put(&again, "RECORD", options.recordFile);
    Put(&again, "D", options.folder);
    Put(&again, "LANG", options.language);
    Put(&again, "LOG", options.logFile);
    SetupCommandLine reread;
    Check(ParseSetupCommandLine(again, &reread, &error) && Same(options, reread));
    return 0;
}
