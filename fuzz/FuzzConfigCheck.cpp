// Fuzz target: "kivtool config check" behind the setup's own reader: the
// checks of a description that loads, and the summary printed for it. No
// byte of the file reaches the terminal unescaped: neither a problem nor the
// summary holds a control character other than the line ends.
#include "platform/Machine.h"
#include "tools/kivtool/ConfigCheck.h"
#include "tools/kivtool/ConfigProblems.h"
#include "tools/kivtool/ConfigSummary.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void UseScratchMachine() {
    static const bool ready = [] {
        char pattern[] = "/tmp/kiv-fuzz-configcheck-XXXXXX";
        std::string made = mkdtemp(pattern) ? pattern : "/tmp/kiv-fuzz-configcheck";
        std::string error;
        return Machine::Create(made, MachineSettings(), &error) && Machine::Use(made);
    }();
    Check(ready);
}

bool Printable(const std::string& text) {
    for (unsigned char c : text)
        if ((c < 0x20 && c != '\n') || c == 0x7F)
            return false;
    return true;
}

std::string Summary(const SetupDescription& description) {
    char* bytes = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&bytes, &size);
    Check(out != nullptr);
    PrintConfigSummary(out, description);
    std::fclose(out);
    std::string text(bytes, size);
    std::free(bytes);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    UseScratchMachine();
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!file)
        return 0; // fmemopen takes no empty buffer
    SetupDescription description;
    const bool loaded = LoadSetupDescription(description, file);
    std::fclose(file);
    if (!loaded) {
        Check(!description.error.reason.empty());
        return 0;
    }
    ConfigProblems problems;
    CheckSetupDescription(description, problems);
    for (const ConfigProblem& problem : problems.All())
        Check(!problem.message.empty() && Printable(problem.message));
    Check(Printable(Summary(description)));
    return 0;
}
