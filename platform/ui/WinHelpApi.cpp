// The older help: a help file opened in the program registered for it.
#include "platform/Windows.h"

#include <cstring>
#include <string>

namespace {

// The default value of a key under HKEY_CLASSES_ROOT, or an empty text.
std::string ClassValue(const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS)
        return std::string();
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    const LSTATUS read =
        RegQueryValueExA(opened, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(opened);
    return read == ERROR_SUCCESS ? std::string(data, strnlen(data, sizeof data)) : std::string();
}

// The registered command with "%1" replaced by the quoted file, or the
// program followed by the quoted file when it has no "%1".
std::string HelpCommand(const std::string& file) {
    const std::size_t dot = file.rfind('.');
    const std::string type = dot == std::string::npos ? "" : ClassValue(file.substr(dot));
    std::string command = type.empty() ? "" : ClassValue(type + "\\shell\\open\\command");
    if (command.empty())
        return command;
    const std::string quoted = "\"" + file + "\"";
    const std::size_t mark = command.find("%1");
    if (mark == std::string::npos)
        return command + " " + quoted;
    const bool wasQuoted = mark > 0 && command[mark - 1] == '"';
    return command.replace(mark, 2, wasQuoted ? file : quoted);
}

} // namespace

BOOL WinHelpA(HWND, LPCSTR lpszHelp, UINT, ULONG_PTR) {
    const DWORD attributes = lpszHelp ? GetFileAttributesA(lpszHelp) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    std::string command = HelpCommand(lpszHelp);
    if (command.empty()) {
        SetLastError(ERROR_NO_ASSOCIATION);
        return FALSE;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return FALSE;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return TRUE;
}

BOOL WinHelpW(HWND hWndMain, LPCWSTR lpszHelp, UINT uCommand, ULONG_PTR dwData) {
    char narrow[520];
    if (!lpszHelp || WideCharToMultiByte(CP_ACP, 0, lpszHelp, -1, narrow, sizeof narrow, nullptr,
                                         nullptr) <= 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    return WinHelpA(hWndMain, narrow, uCommand, dwData);
}
