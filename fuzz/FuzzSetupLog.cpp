// Fuzz target: the install log reader and what kivtool log show prints from
// it. Nothing may crash, read out of bounds or recurse without bound; a
// refusal names its line; an accepted log has an event name and a line
// number on every event, and its text never carries a raw control character
// to the terminal but the line ends.
#include "tools/kivtool/LogReader.h"
#include "tools/kivtool/LogShow.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    SetupLogContent log;
    SetupLogError error;
    if (!ReadSetupLog(bytes, &log, &error)) {
        if (error.line < 1 || error.reason.empty())
            std::abort();
        return 0;
    }
    for (const LogEvent& event : log.events)
        if (event.event.empty() || event.line < 1)
            std::abort();
    for (unsigned char c : ShowSetupLog(log))
        if ((c < 0x20 && c != '\n') || c == 0x7F)
            std::abort();
    return 0;
}
