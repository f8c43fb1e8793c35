#include "engine/InstallJournal.h"

#include "platform/WinBase.h"
#include "platform/WinError.h"
#include "toolkit/KIVAnsiName.h"
#include "toolkit/KIVNarrowText.h"

namespace {

constexpr int kPathSize = 520; // a converted path, terminator included
constexpr DWORD kLargestJournal = 64u << 20;

// The journal line of tag and text; "" when text holds a line break, which
// would make it two lines.
std::string LineText(const char* tag, const char* text) {
    if (std::string_view(text).find_first_of("\r\n") != std::string_view::npos)
        return std::string();
    return std::string(tag) + text + "\r\n";
}

// The whole file, or an empty text when it is missing, unreadable or larger
// than a journal can be.
std::string ReadWhole(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    std::string bytes;
    DWORD got = 0;
    if (high == 0 && size <= kLargestJournal) {
        bytes.resize(size);
        if (!ReadFile(file, bytes.data(), size, &got, nullptr) || got != size)
            bytes.clear();
    }
    CloseHandle(file);
    return bytes;
}

HANDLE OpenForWriting(const std::string& path, DWORD creation) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, creation,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// Writes bytes beside path and renames them over it, so that a kill never
// leaves a part of them in its place.
bool ReplaceWhole(const std::string& path, const std::string& bytes) {
    const std::string beside = path + ".new";
    HANDLE file = OpenForWriting(beside, CREATE_ALWAYS);
    if (!file)
        return false;
    const bool written = WriteAll(file, bytes);
    CloseHandle(file);
    if (written && MoveFileExA(beside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileA(beside.c_str());
    return false;
}

} // namespace

InstallJournal::~InstallJournal() {
    if (file_)
        CloseHandle(file_);
}

bool InstallJournal::Open(const char16_t* installFolder, const char* applicationName) {
    char folder[kPathSize];
    if (file_ || !KIVNarrowFromWide(installFolder, folder, sizeof folder))
        return false;
    folder_ = KIVAnsiName::WithoutTrailingSeparators(folder);
    const std::string path = KIVAnsiName::Join(folder_, kJournalName);
    if (!ContinueEarlier(path)) {
        file_ = OpenForWriting(path, CREATE_ALWAYS);
        if (!file_)
            return false;
        Write(std::string(kHeader) + "\r\n");
    }
    Line("group ", applicationName ? applicationName : "");
    return true;
}

// An earlier journal goes on from its last whole line; false when there is
// none, or it is not a journal (it is then replaced).
bool InstallJournal::ContinueEarlier(const std::string& path) {
    std::string bytes = ReadWhole(path);
    const std::string header = std::string(kHeader) + "\r\n";
    if (bytes.compare(0, header.size(), header) != 0)
        return false;
    const std::size_t whole = bytes.rfind("\r\n") + 2;
    if (whole != bytes.size()) {
        bytes.resize(whole);
        if (!ReplaceWhole(path, bytes))
            return false;
    }
    file_ = OpenForWriting(path, OPEN_EXISTING);
    if (file_ && SetFilePointer(file_, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER) {
        CloseHandle(file_);
        file_ = nullptr;
    }
    return file_ != nullptr;
}

void InstallJournal::Folder(const char16_t* path) {
    char ansi[kPathSize];
    if (KIVNarrowFromWide(path, ansi, sizeof ansi))
        Folder(ansi);
}

void InstallJournal::File(const char16_t* path) {
    WriteLines(FileLine(path));
}

std::string InstallJournal::FileLine(const char16_t* path) const {
    char ansi[kPathSize];
    if (!file_ || !KIVNarrowFromWide(path, ansi, sizeof ansi))
        return std::string();
    return LineText("file ", ansi);
}

void InstallJournal::WriteLines(const std::string& lines) {
    if (file_ && !lines.empty())
        Write(lines);
}

void InstallJournal::Shared(unsigned long countBefore, const char* path) {
    Line(("shared " + std::to_string(countBefore) + " ").c_str(), path);
}

// A text that holds a line end would break the journal into lines that say
// something else; it is left out (nothing the setup makes has one).
void InstallJournal::Line(const char* tag, const char* text) {
    const std::string line = file_ ? LineText(tag, text) : std::string();
    if (line.empty())
        return;
    if (std::string_view(tag) == "key " || std::string_view(tag) == "value ")
        registryLines_ += line;
    Write(line);
}

void InstallJournal::Write(const std::string& line) {
    WriteAll(file_, line);
}

void InstallJournal::Settle(bool keepValues) {
    if (!file_)
        return;
    CloseHandle(file_);
    file_ = nullptr;
    const std::string values = KIVAnsiName::Join(folder_, kValuesName);
    if (keepValues && !registryLines_.empty()) {
        if (!ReplaceWhole(values, std::string(kHeader) + "\r\n" + registryLines_))
            return; // the journal stays: it still tells which values are the product's
        valuesKept_ = true;
    }
    DeleteFileA(KIVAnsiName::Join(folder_, kJournalName).c_str());
}
