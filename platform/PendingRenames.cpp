#include "platform/PendingRenames.h"

#include "platform/Machine.h"
#include "platform/WinReg.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const char kKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char kValue[] = "PendingFileRenameOperations";
const std::string kPrefix = "\\??\\";

// Excludes other processes and threads that change the value for the life
// of the object (flock on a file of the machine root). Without the file the
// work goes on unguarded: each registry call is still atomic.
class RenameLock {
public:
    RenameLock()
        : fd_(open((Machine::Current().Root() + "/pending-renames.lock").c_str(),
                   O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
        while (fd_ >= 0 && flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~RenameLock() {
        if (fd_ >= 0)
            close(fd_);
    }
    RenameLock(const RenameLock&) = delete;
    RenameLock& operator=(const RenameLock&) = delete;

private:
    int fd_;
};

struct Key {
    HKEY handle = nullptr;
    ~Key() {
        if (handle)
            RegCloseKey(handle);
    }
};

// The stored pairs; none when the value is missing or not a REG_MULTI_SZ.
LONG ReadPairs(HKEY key, std::vector<PendingRenames::Texts>* pairs) {
    DWORD type = 0, size = 0;
    LONG result = RegQueryValueExA(key, kValue, nullptr, &type, nullptr, &size);
    if (result == ERROR_FILE_NOT_FOUND)
        return ERROR_SUCCESS;
    std::string data(size, '\0');
    if (result == ERROR_SUCCESS)
        result = RegQueryValueExA(key, kValue, nullptr, &type,
                                  reinterpret_cast<LPBYTE>(data.data()), &size);
    if (result != ERROR_SUCCESS)
        return result;
    data.resize(size);
    if (type == REG_MULTI_SZ)
        *pairs = PendingRenames::Split(data);
    return ERROR_SUCCESS;
}

// False, too, when no path follows the prefix: "\??\" alone names nothing.
bool StripPrefix(std::string* path) {
    if (path->size() <= kPrefix.size() || path->compare(0, kPrefix.size(), kPrefix) != 0)
        return false;
    path->erase(0, kPrefix.size());
    return true;
}

} // namespace

namespace PendingRenames {

std::vector<Texts> Split(const std::string& data) {
    std::vector<std::string> texts;
    for (std::size_t at = 0; at < data.size();) {
        std::size_t end = data.find('\0', at);
        if (end == std::string::npos)
            end = data.size();
        texts.push_back(data.substr(at, end - at));
        at = end + 1;
    }
    std::vector<Texts> pairs;
    for (std::size_t i = 0; i + 1 < texts.size(); i += 2)
        if (!texts[i].empty())
            pairs.emplace_back(texts[i], texts[i + 1]);
    return pairs;
}

std::string Join(const std::vector<Texts>& pairs) {
    std::string data;
    for (const Texts& pair : pairs) {
        data += pair.first;
        data += '\0';
        data += pair.second;
        data += '\0';
    }
    return data + '\0';
}

PendingRename Interpret(const Texts& pair) {
    PendingRename rename;
    rename.source = pair.first;
    rename.target = pair.second;
    rename.replace = !rename.target.empty() && rename.target[0] == '!';
    if (rename.replace)
        rename.target.erase(0, 1);
    // Only a target empty as stored asks for a deletion: "!" or "\??\" alone
    // is damage, never a deletion of the source.
    rename.valid =
        StripPrefix(&rename.source) && (pair.second.empty() || StripPrefix(&rename.target));
    return rename;
}

DWORD Append(const std::string& source, const std::string& target, bool replace) {
    RenameLock lock;
    Key key;
    LONG result = RegCreateKeyA(HKEY_LOCAL_MACHINE, kKey, &key.handle);
    std::vector<Texts> pairs;
    if (result == ERROR_SUCCESS)
        result = ReadPairs(key.handle, &pairs);
    if (result != ERROR_SUCCESS)
        return static_cast<DWORD>(result);
    pairs.emplace_back(kPrefix + source,
                       target.empty() ? "" : (replace ? "!" : "") + kPrefix + target);
    std::string data = Join(pairs);
    return static_cast<DWORD>(RegSetValueExA(key.handle, kValue, 0, REG_MULTI_SZ,
                                             reinterpret_cast<const BYTE*>(data.data()),
                                             static_cast<DWORD>(data.size())));
}

DWORD Run(const std::function<void(const PendingRename&)>& apply) {
    RenameLock lock;
    Key key;
    LONG result =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key.handle);
    if (result == ERROR_FILE_NOT_FOUND)
        return ERROR_SUCCESS;
    std::vector<Texts> pairs;
    if (result == ERROR_SUCCESS)
        result = ReadPairs(key.handle, &pairs);
    if (result != ERROR_SUCCESS)
        return static_cast<DWORD>(result);
    for (const Texts& pair : pairs)
        apply(Interpret(pair));
    result = RegDeleteValueA(key.handle, kValue);
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : static_cast<DWORD>(result);
}

} // namespace PendingRenames
