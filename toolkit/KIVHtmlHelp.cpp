#include "toolkit/KIVHtmlHelp.h"

#include "platform/Windows.h"

#include <cstring>
#include <string>

namespace {

// The registered command's program part, or an empty text.
std::string HtmlViewer() {
    HKEY key = HKEY_CLASSES_ROOT;
    for (const char* name : {"htmlfile", "shell", "open", "command"}) {
        HKEY next = nullptr;
        const LSTATUS opened = RegOpenKeyExA(key, name, 0, KEY_READ, &next);
        if (key != HKEY_CLASSES_ROOT)
            RegCloseKey(key);
        if (opened != ERROR_SUCCESS)
            return std::string();
        key = next;
    }
    char name[256];
    char data[1024] = {};
    DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
    const LSTATUS read = RegEnumValueA(key, 0, name, &nameSize, nullptr, &type,
                                       reinterpret_cast<BYTE*>(data), &dataSize);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS)
        return std::string();
    const std::string command(data, strnlen(data, dataSize));
    if (command.empty() || command[0] != '"')
        return command.substr(0, command.find(' '));
    const std::size_t quote = command.find('"', 1);
    return quote == std::string::npos ? command : command.substr(0, quote + 1);
}

} // namespace

bool KIVShowHtmlHelp(const char* helpFile, int topic) {
    const DWORD attributes = GetFileAttributesA(helpFile);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (topic == -1)
        return true;
    const std::string viewer = HtmlViewer();
    if (viewer.empty())
        return true;
    std::string commandLine = viewer + " " + helpFile + "#" + std::to_string(topic);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return true;
}
