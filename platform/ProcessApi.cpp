// Processes: CreateProcessA starts a host process (posix_spawn) for a program
// path on the machine; GetExitCodeProcess follows it, and WaitForSingleObject
// (Sync.cpp) waits for its end.
// The child inherits the environment with KIV_MACHINE naming this machine,
// so that it works on the same emulated machine. As on Windows, a running
// program's file is in use: the child inherits a descriptor of it that holds
// it as an image (see ShareTable) until the child, and whatever the child
// starts without closing that descriptor, has ended.
#include "platform/CommandLine.h"
#include "platform/HostPath.h"
#include "platform/HostText.h"
#include "platform/Machine.h"
#include "platform/PathMap.h"
#include "platform/ProcessObject.h"
#include "platform/ShareTable.h"
#include "platform/WinBase.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace {

bool IsFile(const std::string& host) {
    struct stat info;
    return stat(host.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The host path of a program named on a command line. A name without a
// folder is looked for in the current folder, then the system and Windows
// folders; ".exe" is tried when the name has no extension.
bool FindProgram(const std::string& program, std::string* host) {
    std::vector<std::string> names = {program};
    if (HostPath::LastComponent(program).find('.') == std::string::npos)
        names.push_back(program + ".exe");
    std::vector<std::string> folders = {""};
    if (program.find_first_of("\\/:") == std::string::npos)
        folders = {"", MachineFolders::System() + "\\", MachineFolders::Windows() + "\\"};
    unsigned error = 0;
    for (const std::string& folder : folders)
        for (const std::string& name : names)
            if (PathMap::ToHost(folder + name, host, &error) && IsFile(*host))
                return true;
    return false;
}

bool ParseCommand(LPCSTR application, LPCSTR commandLine, std::string* host,
                  std::vector<std::string>* arguments) {
    std::string line = HostText::FromAnsi(commandLine ? commandLine : application);
    if (application) {
        if (!FindProgram(HostText::FromAnsi(application), host))
            return false;
        *arguments = CommandLine::Split(line);
        if (!arguments->empty())
            arguments->erase(arguments->begin());
        return true;
    }
    for (const CommandLine::Candidate& candidate : CommandLine::ProgramCandidates(line))
        if (FindProgram(candidate.program, host)) {
            *arguments = CommandLine::Split("x " + candidate.arguments);
            arguments->erase(arguments->begin());
            return true;
        }
    return false;
}

// The child's environment: the caller's block ("name=value" texts in the
// ANSI code page, ending with an empty one) or ours, with KIV_MACHINE set.
std::vector<std::string> Environment(LPVOID block) {
    std::vector<std::string> variables;
    if (block) {
        for (const char* at = static_cast<const char*>(block); *at; at += std::strlen(at) + 1)
            variables.push_back(HostText::FromAnsi(at));
    } else {
        for (char** at = environ; *at; ++at)
            variables.push_back(*at);
    }
    std::erase_if(variables, [](const std::string& v) { return v.rfind("KIV_MACHINE=", 0) == 0; });
    variables.push_back("KIV_MACHINE=" + Machine::Current().Root());
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// A descriptor of the program file that holds it as a running image (-1
// when the host does not let us read it: it then runs unheld). False with
// the last error set when another open forbids that: a program open for
// writing cannot be started (ERROR_SHARING_VIOLATION), as on Windows.
bool HoldImage(const std::string& host, int* fd) {
    *fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (*fd < 0)
        return true;
    if (DWORD error = ShareTable::AcquireImage(*fd)) {
        close(*fd);
        SetLastError(error);
        return false;
    }
    return true;
}

BOOL Spawn(std::string host, std::vector<std::string> arguments, std::vector<std::string> env,
           const std::string* folder, LPPROCESS_INFORMATION info) {
    if (access(host.c_str(), X_OK) != 0)
        return HostPath::Fail(ERROR_BAD_EXE_FORMAT);
    int image = -1;
    if (!HoldImage(host, &image))
        return FALSE;
    arguments.insert(arguments.begin(), host);
    std::vector<char*> argv = Pointers(arguments), envp = Pointers(env);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Duplicating a descriptor onto itself clears its close-on-exec flag in
    // the child only, so no other thread's child inherits it.
    if (image >= 0)
        posix_spawn_file_actions_adddup2(&actions, image, image);
    if (folder)
        posix_spawn_file_actions_addchdir_np(&actions, folder->c_str());
    pid_t pid = 0;
    int error = posix_spawn(&pid, host.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (image >= 0)
        close(image);
    if (error != 0)
        return HostPath::Fail(HostPath::ErrorFromErrno(error, host));
    auto state = std::make_shared<ProcessObject::State>(pid);
    info->hProcess = KernelObject::Insert(std::make_shared<ProcessObject>(state));
    info->hThread = KernelObject::Insert(std::make_shared<ProcessObject>(state));
    info->dwProcessId = static_cast<DWORD>(pid);
    info->dwThreadId = static_cast<DWORD>(pid);
    return TRUE;
}

} // namespace

BOOL CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES,
                    LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID lpEnvironment,
                    LPCSTR lpCurrentDirectory, LPSTARTUPINFOA,
                    LPPROCESS_INFORMATION lpProcessInformation) {
    if ((!lpApplicationName && !lpCommandLine) || !lpProcessInformation)
        return HostPath::Fail(ERROR_INVALID_PARAMETER);
    std::memset(lpProcessInformation, 0, sizeof *lpProcessInformation);
    std::string host, folder;
    std::vector<std::string> arguments;
    if (!ParseCommand(lpApplicationName, lpCommandLine, &host, &arguments))
        return HostPath::Fail(ERROR_FILE_NOT_FOUND);
    if (lpCurrentDirectory) {
        struct stat info;
        if (!HostPath::FromAnsi(lpCurrentDirectory, &folder) || stat(folder.c_str(), &info) != 0 ||
            !S_ISDIR(info.st_mode))
            return HostPath::Fail(ERROR_DIRECTORY);
    }
    return Spawn(host, arguments, Environment(lpEnvironment),
                 lpCurrentDirectory ? &folder : nullptr, lpProcessInformation);
}

BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
    std::shared_ptr<ProcessObject> process = KernelObject::LookupAs<ProcessObject>(hProcess);
    if (!process || !lpExitCode)
        return HostPath::Fail(process ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    process->Process().Poll(lpExitCode);
    return TRUE;
}

DWORD ProcessObject::TryWait() {
    DWORD code = 0;
    return Process().Poll(&code) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

void ExitProcess(UINT uExitCode) {
    std::fflush(nullptr);
    _exit(static_cast<int>(uExitCode));
}
