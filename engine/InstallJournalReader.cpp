#include "engine/InstallJournalReader.h"

#include "engine/InstallJournal.h"
#include "engine/UninstallRun.h"
#include "toolkit/KIVAnsiName.h"

#include <cctype>

namespace {

constexpr std::size_t kLongestLine = 540; // a tag and a 519-byte path
constexpr std::size_t kLargestCount = 0x7FFFFFFF;

class JournalReader {
public:
    JournalReader(UninstallRecord* record, UninstallRecordError* error)
        : record_(record), error_(error) {}

    bool Read(std::string_view bytes, bool valuesOnly);

private:
    bool Line(std::string_view line, bool valuesOnly);
    bool Shared(std::string_view rest);
    bool Fail(const std::string& reason) {
        error_->line = number_;
        error_->reason = reason;
        return false;
    }

    UninstallRecord* record_;
    UninstallRecordError* error_;
    int number_ = 0;
    std::string lastKey_; // in KIVAnsiName::Key form; empty before the first key
};

bool JournalReader::Read(std::string_view bytes, bool valuesOnly) {
    const std::string_view header = InstallJournal::kHeader;
    for (std::size_t end; (end = bytes.find("\r\n")) != std::string_view::npos;
         bytes.remove_prefix(end + 2)) {
        const std::string_view line = bytes.substr(0, end);
        ++number_;
        if (line.size() > kLongestLine)
            return Fail("the line is longer than " + std::to_string(kLongestLine) + " bytes");
        for (unsigned char c : line)
            if (c < 0x20 || c == 0x7F)
                return Fail("the line holds a control character");
        if (number_ > 1) {
            if (!Line(line, valuesOnly))
                return false;
        } else if (line != header) {
            return Fail("not an install journal: expected \"" + std::string(header) + "\"");
        }
    }
    if (number_ == 0) {
        number_ = 1;
        return Fail("not an install journal: no whole line");
    }
    return true;
}

bool JournalReader::Line(std::string_view line, bool valuesOnly) {
    const std::size_t blank = line.find(' ');
    const std::string_view tag = line.substr(0, blank);
    const std::string_view rest = blank == std::string_view::npos ? "" : line.substr(blank + 1);
    const bool registry = tag == "key" || tag == "value";
    if (blank == std::string_view::npos || (valuesOnly && !registry))
        return Fail("unexpected line \"" + std::string(line) + "\"");
    if (tag == "key") {
        if (!IsSoundKeyPath(rest))
            return Fail("not a registry key path: \"" + std::string(rest) + "\"");
        record_->registryKeys.emplace_back(rest);
        lastKey_ = KIVAnsiName::Key(rest);
        record_->writtenValues[lastKey_];
        return true;
    }
    if (tag == "value") {
        if (lastKey_.empty())
            return Fail("a value before any key");
        record_->writtenValues[lastKey_].insert(KIVAnsiName::Key(rest));
        return true;
    }
    if (tag == "group") {
        record_->applicationName = rest;
        return true;
    }
    if (tag == "shared")
        return Shared(rest);
    if (tag != "file" && tag != "folder")
        return Fail("unknown line \"" + std::string(line) + "\"");
    if (!IsSoundRecordPath(rest))
        return Fail("not an absolute path without \"..\": \"" + std::string(rest) + "\"");
    (tag == "file" ? record_->files : record_->folders).emplace_back(rest);
    return true;
}

// "shared <count> <path>", the count decimal without a sign.
bool JournalReader::Shared(std::string_view rest) {
    const std::size_t blank = rest.find(' ');
    const std::string_view digits = rest.substr(0, blank);
    unsigned long count = 0;
    bool sound = blank != std::string_view::npos && !digits.empty() && digits.size() <= 10;
    for (char c : digits) {
        sound = sound && std::isdigit(static_cast<unsigned char>(c));
        count = count * 10 + static_cast<unsigned long>(c - '0');
    }
    if (!sound || count > kLargestCount || !IsSoundRecordPath(rest.substr(blank + 1)))
        return Fail("not a count and a system file's path: \"" + std::string(rest) + "\"");
    record_->sharedFiles.push_back({std::string(rest.substr(blank + 1)), count});
    return true;
}

} // namespace

bool ReadInstallJournal(std::string_view bytes, UninstallRecord* record,
                        UninstallRecordError* error) {
    *record = UninstallRecord();
    *error = UninstallRecordError();
    UninstallRecord read;
    read.fromJournal = true;
    read.listsOutsideFolders = true;
    if (!JournalReader(&read, error).Read(bytes, false))
        return false;
    *record = std::move(read);
    return true;
}

bool ReadWrittenValues(std::string_view bytes, UninstallRecord* record,
                       UninstallRecordError* error) {
    *error = UninstallRecordError();
    UninstallRecord read;
    if (!JournalReader(&read, error).Read(bytes, true))
        return false;
    for (auto& [key, names] : read.writtenValues)
        record->writtenValues[key].insert(names.begin(), names.end());
    return true;
}
