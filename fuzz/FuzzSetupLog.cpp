// Fuzz target: the install log reader and what kivtool log show prints from
// it. Nothing may crash, read out of bounds or recurse without bound; a
// refusal names its line; an accepted log has an event name and a line
// number on every event, and its text never carries a raw control character
// (C0 or C1) to the terminal but the line ends.
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
    const std::string shown = ShowSetupLog(log);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(shown[i]);
        if ((c < 0x20 && c != '\n') || c == 0x7F)
            std::abort();
        if (c == 0xC2 && i + 1 < shown.size() && (shown[i + 1] & 0xE0) == 0x80)
            std::abort(); // U+0080 to U+009F
    }
    return 0;
}
