// Fuzz target: the response file reader of the unattended setup. Any input
// is read; a refusal must say why, and a response that reads must come back
// the same from its own text.
#include "setup/SetupResponse.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

bool Same(const SetupResponse& a, const SetupResponse& b) {
    return a.language == b.language && a.licenceAccepted == b.licenceAccepted &&
           a.userName == b.userName && a.company == b.company && a.setupType == b.setupType &&
           a.folder == b.folder && a.components == b.components && a.launch == b.launch &&
           a.startupShortcut == b.startupShortcut && a.runPrograms == b.runPrograms;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    SetupResponse response;
    std::string error;
    if (!ParseSetupResponse(text, &response, &error)) {
        Check(!error.empty());
        return 0;
    }
    SetupResponse again;
    Check(ParseSetupResponse(FormatSetupResponse(response), &again, &error));
    Check(Same(response, again));
    return 0;
}
