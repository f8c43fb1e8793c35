#include "engine/WriteUninstallRecord.h"

#include "engine/InstallJournal.h"
#include "engine/UninstallRecordLimits.h"

#include "platform/PlatformStdio.h"
#include "platform/WinBase.h"
#include "toolkit/KIVString.h"

#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

constexpr int kPathSize = 520; // a converted path, terminator included

// Writes text as a text-mode stream does on Windows: every LF reaches the
// disk as CR LF. The platform's streams have no text mode.
void PutText(std::FILE* file, std::string_view text) {
    for (std::size_t lf; (lf = text.find('\n')) != std::string_view::npos;
         text.remove_prefix(lf + 1)) {
        std::fwrite(text.data(), 1, lf, file);
        std::fwrite("\r\n", 1, 2, file);
    }
    std::fwrite(text.data(), 1, text.size(), file);
}

void PutLine(std::FILE* file, std::string_view text) {
    PutText(file, text);
    PutText(file, "\n");
}

void PutCount(std::FILE* file, const char* label, std::size_t count) {
    PutLine(file, std::string(label) + " " + std::to_string(count));
}

void PutList(std::FILE* file, const char* label, const InstalledFileList& list) {
    PutCount(file, label, static_cast<std::size_t>(list.GetSize()));
    for (int i = 0; i < list.GetSize(); ++i)
        PutLine(file, list.GetAt(i));
}

// The files the record lists besides the installed ones: the extra files
// of the description, then the values file.
std::vector<std::string> FolderFiles(const UninstallRecordSource& source,
                                     const std::string& folder) {
    std::vector<std::string> files;
    for (const std::string& extra : source.extraFiles)
        files.push_back(folder + "\\" + extra);
    if (source.valuesFile)
        files.push_back(folder + "\\" + InstallJournal::kValuesName);
    return files;
}

void PutRecord(std::FILE* file, const UninstallRecordSource& source, const std::string& folder) {
    const InstallLists& lists = source.lists;
    const std::vector<std::string> folderFiles = FolderFiles(source, folder);
    PutCount(file, "files", static_cast<std::size_t>(lists.files.GetSize()) + folderFiles.size());
    for (int i = 0; i < lists.files.GetSize(); ++i)
        PutLine(file, lists.files.GetAt(i));
    for (const std::string& path : folderFiles)
        PutLine(file, path);
    PutList(file, "folders", lists.folders);
    PutCount(file, "regkeys", static_cast<std::size_t>(lists.registryKeys.GetSize()));
    for (int i = 0; i < lists.registryKeys.GetSize(); ++i)
        PutLine(file, lists.registryKeys.GetAt(i));
    PutLine(file, "longappname");
    PutLine(file, source.applicationName ? source.applicationName : "");
}

// The bytes of "label N" CR LF and of its N lines.
std::size_t ListBytes(const char* label, std::size_t count, std::size_t textBytes) {
    return std::strlen(label) + 1 + std::to_string(count).size() + 2 + textBytes + 2 * count;
}

// The size the record will have, to refuse one the uninstaller would not read.
std::size_t RecordBytes(const UninstallRecordSource& source, const std::string& folder) {
    const InstallLists& lists = source.lists;
    const std::vector<std::string> folderFiles = FolderFiles(source, folder);
    std::size_t folderFileBytes = 0;
    for (const std::string& path : folderFiles)
        folderFileBytes += path.size();
    const std::size_t files = static_cast<std::size_t>(lists.files.GetSize());
    const std::size_t name = source.applicationName ? std::strlen(source.applicationName) : 0;
    return ListBytes("files", files + folderFiles.size(),
                     lists.files.TextBytes() + folderFileBytes) +
           ListBytes("folders", static_cast<std::size_t>(lists.folders.GetSize()),
                     lists.folders.TextBytes()) +
           ListBytes("regkeys", static_cast<std::size_t>(lists.registryKeys.GetSize()),
                     lists.registryKeys.TextBytes()) +
           std::strlen("longappname") + 2 + name + 2;
}

// Writes the whole record to path; false on any open or write error.
bool WriteRecordFile(const std::string& path, const UninstallRecordSource& source,
                     const std::string& folder) {
    std::FILE* file = PlatformFopen(path.c_str(), "wb");
    if (!file)
        return false;
    PutRecord(file, source, folder);
    const bool written = !std::ferror(file);
    return std::fclose(file) == 0 && written;
}

} // namespace

UninstallRecordResult WriteUninstallRecord(const UninstallRecordSource& source) {
    if (source.updateMode || source.lists.IsEmpty())
        return UninstallRecordResult::Skipped;
    char ansiFolder[kPathSize];
    if (!source.installFolder || !KIVString(source.installFolder).ToNarrow(ansiFolder, kPathSize))
        return UninstallRecordResult::Failed;
    const std::string folder = ansiFolder;
    const std::string path = folder + "\\.uninstallinfos.log";
    const std::string temporary = path + ".new";
    if (temporary.size() >= kPathSize || RecordBytes(source, folder) > kMaxUndoFileBytes)
        return UninstallRecordResult::Failed;
    if (WriteRecordFile(temporary, source, folder) &&
        MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return UninstallRecordResult::Written;
    DeleteFileA(temporary.c_str());
    return UninstallRecordResult::Failed;
}
