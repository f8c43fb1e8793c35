// The summary kivtool install prints when it ends.
#include "tools/kivtool/InstallOptions.h"
#include "tools/kivtool/PackCommands.h"
#include "tools/kivtool/ToolText.h"

#include "platform/Windows.h"
#include "setup/SetupDriver.h"

#include <cstdio>

namespace {

const char* ResultName(std::int32_t result) {
    static const char* const kNames[] = {"installed",       "copy failed", "unpacking failed",
                                         "registry failed", "cancelled",   "system files failed"};
    return result >= 0 && result <= 5 ? kNames[result] : "not started";
}

// The install entries whose programs the setup would run at its end.
std::string RunEntries(const SetupDriver& driver) {
    std::string list;
    for (const InstallEntry* entry : driver.runList) {
        const char* item =
            entry->destinationFolder[0] ? entry->destinationFolder : entry->entryName;
        list += (list.empty() ? "" : ", ") + JsonText(HostName(item));
    }
    return "[" + list + "]";
}

} // namespace

void PrintInstallSummary(const SetupDriver& driver, std::int32_t result, int code,
                         std::int64_t bytes, bool json) {
    const InstallLists& lists = driver.lists;
    const std::string destination = Utf8FromWide(driver.state.variables.installDst);
    const std::string error = Utf8FromWide(driver.worker.errorText);
    if (json) {
        std::printf("{\"result\": %d, \"outcome\": %s, \"exitCode\": %d, \"destination\": %s, "
                    "\"files\": %d, \"folders\": %d, \"registryKeys\": %d, \"bytes\": %lld, "
                    "\"restartNeeded\": %s, \"runEntries\": %s, \"error\": %s}\n",
                    result, JsonText(ResultName(result)).c_str(), code,
                    JsonText(destination).c_str(), lists.files.GetSize(), lists.folders.GetSize(),
                    lists.registryKeys.GetSize(), static_cast<long long>(bytes),
                    driver.RestartNeeded() ? "true" : "false", RunEntries(driver).c_str(),
                    JsonText(error).c_str());
        return;
    }
    std::printf("destination     %s\n", destination.c_str());
    std::printf("files           %d\n", lists.files.GetSize());
    std::printf("bytes           %lld\n", static_cast<long long>(bytes));
    std::printf("folders         %d\n", lists.folders.GetSize());
    std::printf("registry keys   %d\n", lists.registryKeys.GetSize());
    std::printf("restart needed  %s\n", driver.RestartNeeded() ? "yes" : "no");
    std::printf("result          %d (%s)\n", result, ResultName(result));
    std::printf("exit code       %d\n", code);
}
