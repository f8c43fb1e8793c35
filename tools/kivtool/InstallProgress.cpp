#include "tools/kivtool/InstallProgress.h"
#include "tools/kivtool/PackCommands.h"
#include "tools/kivtool/ToolText.h"

#include "platform/Windows.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>

namespace InstallProgress {
namespace {

std::atomic<std::int64_t> bytes{0};
std::int64_t total = 0;
bool onTerminal = false;
int shownPercent = -1;
std::string currentName;
std::chrono::steady_clock::time_point shownAt;

void Draw() {
    const int width = 30;
    int percent = total > 0 ? static_cast<int>(bytes.load() * 100 / total) : 0;
    percent = percent > 100 ? 100 : percent;
    const int filled = percent * width / 100;
    std::fprintf(stderr, "\r[%s%s] %3d%% %8.1f MB  %-40.40s", std::string(filled, '#').c_str(),
                 std::string(width - filled, '-').c_str(), percent,
                 static_cast<double>(bytes.load()) / 1048576.0, currentName.c_str());
    std::fflush(stderr);
    shownPercent = percent;
    shownAt = std::chrono::steady_clock::now();
}

} // namespace

void Begin(std::int64_t totalBytes, bool terminal) {
    bytes.store(0);
    total = totalBytes;
    onTerminal = terminal;
    shownPercent = -1;
}

void OnBytes(int count) {
    bytes.fetch_add(count);
    if (onTerminal && total > 0 && bytes.load() * 100 / total != shownPercent)
        Draw();
}

void OnName(const char* name) {
    if (!onTerminal)
        return;
    // A name alone redraws at most ten times a second: thousands of small
    // files must not cost a line of terminal output each.
    if (std::chrono::steady_clock::now() - shownAt < std::chrono::milliseconds(100))
        return;
    currentName = HostName(name);
    Draw();
}

void OnEntry(const InstallEntry& entry, const char16_t* folder) {
    if (onTerminal)
        return;
    const char* item = entry.destinationFolder[0] ? entry.destinationFolder : entry.entryName;
    std::fprintf(stderr, "installing %s into %s\n", HostName(item).c_str(),
                 Utf8FromWide(folder).c_str());
}

void End() {
    if (onTerminal && shownPercent >= 0)
        std::fputc('\n', stderr);
}

std::int64_t Bytes() {
    return bytes.load();
}

} // namespace InstallProgress
