// [SECTION] Header
// [SECTION] Install entries
// [SECTION] Components and setup types
// [SECTION] Shortcuts, path lists and volumes
// [SECTION] Registry keys
// [SECTION] Options
#include "setup/SetupDescriptionLoader.h"

#include <string_view>

namespace {
std::string Numbered(const char* what, std::size_t index) {
    return std::string(what) + " " + std::to_string(index);
}

// The first run of non-separators of a line, read without the field rules so
// that a line the setup consumes whatever it holds is never refused.
std::string FirstWord(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && SetupDescriptionReader::IsSeparator(line[start]))
        ++start;
    std::size_t end = start;
    while (end < line.size() && !SetupDescriptionReader::IsSeparator(line[end]))
        ++end;
    return std::string(line.substr(start, end - start));
}
} // namespace

bool SetupDescriptionLoader::ReadAll() {
    std::int32_t entryCount = 0;
    if (!ReadHeader(&entryCount))
        return false;
    for (std::int32_t i = 0; i < entryCount; ++i)
        if (!ReadInstallEntry(i))
            return false;
    std::vector<std::string> unusedPaths;
    if (!ReadComponents() || !ReadSetupTypes() || !ReadShortcuts() ||
        !ReadPathList("extra uninstall path", &description_.extraUninstallPaths) ||
        !ReadPathList("unused path", &unusedPaths) || !ReadVolumes())
        return false;
    // The file may end anywhere among the registry keys and the options.
    Tail tail = ReadRegistryKeys();
    if (tail == Tail::kRead)
        tail = ReadOptions();
    return tail != Tail::kFailed;
}

bool SetupDescriptionLoader::Load() {
    const bool read = ReadAll();
    lines_.oddNumbers = reader_.OddNumbers();
    if (!read)
        description_.error = reader_.Error();
    return read;
}

// [SECTION] Header

bool SetupDescriptionLoader::ReadHeaderText(int line, char (&text)[kSetupTextSize],
                                            const char* what) {
    reader_.SetContext(Numbered("header line", line));
    if (!reader_.RequireLine(what))
        return false;
    lines_.header[line] = reader_.LineNumber();
    return reader_.Skip("label") && reader_.Text(text, what);
}

bool SetupDescriptionLoader::ReadHeaderNumber(int line, std::int32_t* value, const char* what) {
    reader_.SetContext(Numbered("header line", line));
    if (!reader_.RequireLine(what))
        return false;
    lines_.header[line] = reader_.LineNumber();
    return reader_.Skip("label") && reader_.Number(value, what);
}

bool SetupDescriptionLoader::ReadHeader(std::int32_t* entryCount) {
    SetupDescription& d = description_;
    char unused[kSetupTextSize];
    std::int32_t number = 0;
    bool ok = ReadHeaderText(1, d.formatVersion, "format version");
    for (int line = 2; ok && line <= 5; ++line)
        ok = ReadHeaderText(line, unused, "text");
    ok = ok && ReadHeaderText(6, d.agreementFileName, "agreement file name") &&
         ReadHeaderText(7, d.applicationName, "application name") &&
         ReadHeaderText(8, d.longApplicationName, "long application name") &&
         ReadHeaderText(9, d.programFileBaseName, "program file base name") &&
         ReadHeaderText(10, d.versionText, "version text") && ReadHeaderText(11, unused, "text") &&
         ReadHeaderText(12, unused, "text") &&
         ReadHeaderNumber(13, &d.availableLanguages, "available languages") &&
         ReadHeaderNumber(14, &number, "flag") &&
         ReadHeaderNumber(15, &number, "multi-volume flag");
    d.multiVolume = number != 0;
    ok = ok && ReadHeaderNumber(16, &number, "number") &&
         ReadHeaderNumber(17, entryCount, "install entry count");
    // Line 18 is consumed whatever it holds; its number, when there is one, is not used.
    reader_.SetContext("header line 18");
    if (!ok || !reader_.RequireLine("header line 18"))
        return false;
    lines_.header[18] = reader_.LineNumber();
    lines_.predecompWord = FirstWord(reader_.Line());
    return true;
}

// [SECTION] Install entries

bool SetupDescriptionLoader::ReadInstallEntry(int index) {
    reader_.SetContext(Numbered("install entry", index));
    auto entry = std::make_unique<InstallEntry>();
    std::int32_t nameCount = 0;
    lines_.entries.emplace_back();
    if (!reader_.RequireLine("the entry line"))
        return false;
    lines_.entries.back().entryLine = reader_.LineNumber();
    if (!ReadEntryLine(*entry, &nameCount))
        return false;
    // The name list line is always read, also for a name count of 0.
    reader_.SetContext(Numbered("install entry", index) + ", name list");
    if (!reader_.RequireLine("the name list line"))
        return false;
    lines_.entries.back().nameListLine = reader_.LineNumber();
    if (!ReadNameList(*entry, nameCount))
        return false;
    description_.installEntries.push_back(std::move(entry));
    return true;
}

bool SetupDescriptionLoader::ReadEntryLine(InstallEntry& e, std::int32_t* nameCount) {
    SetupDescriptionReader& r = reader_;
    char unused[kSetupTextSize];
    std::string packed, platform;
    std::int32_t number = 0;
    bool ok = r.Skip("label") && r.Skip("field 2") && r.Text(e.entryName, "entry name") &&
              r.Text(unused, "field 4") && r.Text(e.destinationFolder, "destination folder") &&
              r.Text(unused, "field 6") && r.Field(&packed, "packed keyword") &&
              r.Field(&platform, "platform keyword") && r.Text(e.sourceFolder, "source folder") &&
              r.Number(&number, "field 10") && r.Number(&e.system, "system") &&
              r.Number(&e.packageOffset, "package offset") && r.Number(&e.volume, "volume") &&
              r.Number(&e.size, "size") && r.Number(nameCount, "name count") &&
              r.Flag(&e.notInstalled, "not installed flag") && r.Flag(&e.run, "run flag") &&
              r.Flag(&e.listMode, "list mode flag");
    if (!ok)
        return false;
    lines_.entries.back().packedWord = packed;
    lines_.entries.back().platformWord = platform;
    e.packed = packed == "TRUE";
    e.platform = platform == "platformPC"      ? kPlatformPC
                 : platform == "platformPCMAC" ? kPlatformPCMac
                                               : kPlatformMac;
    return true;
}

bool SetupDescriptionLoader::ReadNameList(InstallEntry& entry, std::int32_t count) {
    std::string field;
    for (std::int32_t i = 0; i < count; ++i) {
        std::string what = Numbered("name", i + 1);
        char name[kSetupTextSize];
        if (!reader_.Field(&field, what.c_str()) || !reader_.StoreText(field, name, what.c_str()))
            return false;
        // Line breaks inside names are written as the characters 14 and 11.
        for (char* c = name; *c; ++c)
            *c = *c == 14 ? '\r' : *c == 11 ? '\n' : *c;
        entry.names.emplace_back(name);
    }
    return true;
}

// [SECTION] Components and setup types

bool SetupDescriptionLoader::ReadCount(const char* what, std::int32_t* count) {
    reader_.SetContext(what);
    return reader_.RequireLine("the count line") && reader_.Skip("label") &&
           reader_.Number(count, "count");
}

bool SetupDescriptionLoader::ReadIndex(std::int32_t count, const char* what, std::int32_t* index) {
    std::string field;
    if (!reader_.Field(&field, (std::string(what) + " index").c_str()))
        return false;
    // A field that is no number would read as index 0: a closing brace in the
    // place of a missing index must not silently name the first record.
    const std::size_t digit = field.find_first_not_of(" \t\n\v\f\r+-");
    if (digit == std::string::npos || field[digit] < '0' || field[digit] > '9')
        return reader_.Fail(std::string(what) + " index \"" + field + "\" is not a number");
    *index = SetupDescriptionReader::ParseNumber(field);
    if (*index >= 0 && *index < count)
        return true;
    return reader_.Fail(std::string(what) + " index " + std::to_string(*index) +
                        " is out of range: there are " + std::to_string(count) + " of them");
}

bool SetupDescriptionLoader::ReadComponents() {
    std::int32_t count = 0;
    if (!ReadCount("components", &count))
        return false;
    for (std::int32_t i = 0; i < count; ++i) {
        reader_.SetContext(Numbered("component", i));
        auto component = std::make_unique<Component>();
        if (!reader_.RequireLine("the component line"))
            return false;
        lines_.components.push_back(reader_.LineNumber());
        if (!ReadComponent(*component))
            return false;
        description_.components.push_back(std::move(component));
    }
    return true;
}

// The registry file name and the enabled flag are optional: the "{" that
// opens the index list may stand in the place of either.
bool SetupDescriptionLoader::ReadComponent(Component& c) {
    SetupDescriptionReader& r = reader_;
    std::int32_t count = 0;
    std::string field;
    if (!r.Skip("label") || !r.Text(c.name, "component name") || !r.Skip("field 3") ||
        !r.Number(&c.languages, "languages") || !r.Number(&count, "install entry count") ||
        !r.Field(&field, "registry file name or \"{\""))
        return false;
    if (field != "{") {
        if (!r.StoreText(field, c.registryFileName, "registry file name") ||
            !r.Field(&field, "enabled flag or \"{\""))
            return false;
        if (field != "{") {
            r.NoteNumber(field, "enabled flag");
            c.enabled = SetupDescriptionReader::ParseNumber(field) != 0;
            if (!r.Skip("\"{\""))
                return false;
        }
    }
    const auto entries = static_cast<std::int32_t>(description_.installEntries.size());
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t index = 0;
        if (!ReadIndex(entries, "install entry", &index))
            return false;
        c.entries.push_back(description_.installEntries[index].get());
    }
    return true;
}

bool SetupDescriptionLoader::ReadSetupTypes() {
    std::int32_t count = 0;
    if (!ReadCount("setup types", &count))
        return false;
    const auto components = static_cast<std::int32_t>(description_.components.size());
    for (std::int32_t i = 0; i < count; ++i) {
        reader_.SetContext(Numbered("setup type", i));
        auto type = std::make_unique<SetupType>();
        std::int32_t n = 0;
        if (!reader_.RequireLine("the setup type line"))
            return false;
        lines_.setupTypes.push_back(reader_.LineNumber());
        if (!reader_.Skip("label") || !reader_.Text(type->name, "setup type name") ||
            !reader_.Skip("field 3") || !reader_.Number(&n, "component count") ||
            !reader_.Skip("\"{\""))
            return false;
        for (std::int32_t k = 0; k < n; ++k) {
            std::int32_t index = 0;
            if (!ReadIndex(components, "component", &index))
                return false;
            type->components.push_back(description_.components[index].get());
        }
        description_.setupTypes.push_back(std::move(type));
    }
    return true;
}

// [SECTION] Shortcuts, path lists and volumes

bool SetupDescriptionLoader::ReadShortcuts() {
    std::int32_t count = 0;
    if (!ReadCount("shortcuts", &count))
        return false;
    const auto entries = static_cast<std::int32_t>(description_.installEntries.size());
    for (std::int32_t i = 0; i < count; ++i) {
        reader_.SetContext(Numbered("shortcut", i));
        ShortcutEntry shortcut;
        std::int32_t index = 0;
        if (!reader_.RequireLine("the shortcut line"))
            return false;
        lines_.shortcuts.push_back(reader_.LineNumber());
        if (!reader_.Skip("label") || !reader_.Text(shortcut.targetFile, "target file") ||
            !reader_.Text(shortcut.shortcutName, "shortcut name") ||
            !ReadIndex(entries, "install entry", &index))
            return false;
        shortcut.entry = description_.installEntries[index].get();
        description_.shortcuts.push_back(shortcut);
    }
    return true;
}

bool SetupDescriptionLoader::ReadPathList(const char* what, std::vector<std::string>* paths) {
    std::int32_t count = 0;
    if (!ReadCount((std::string(what) + "s").c_str(), &count))
        return false;
    for (std::int32_t i = 0; i < count; ++i) {
        reader_.SetContext(Numbered(what, i));
        char path[kSetupTextSize];
        if (!reader_.RequireLine("the path line") || !reader_.Skip("label") ||
            !reader_.Skip("field 2") || !reader_.Text(path, "path"))
            return false;
        paths->emplace_back(path);
    }
    return true;
}

bool SetupDescriptionLoader::ReadVolumes() {
    std::int32_t count = 0;
    if (!ReadCount("volumes", &count))
        return false;
    for (std::int32_t i = 0; i < count; ++i) {
        reader_.SetContext(Numbered("volume", i));
        VolumeEntry volume;
        if (!reader_.RequireLine("the volume line"))
            return false;
        lines_.volumes.push_back(reader_.LineNumber());
        if (!reader_.Skip("label") || !reader_.Skip("field 2") ||
            !reader_.Flag(&volume.media, "media flag") || !reader_.Text(volume.text, "volume text"))
            return false;
        description_.volumes.push_back(volume);
    }
    return true;
}

// [SECTION] Registry keys

SetupDescriptionLoader::Tail SetupDescriptionLoader::NextTailLine() {
    if (reader_.NextLine())
        return Tail::kRead;
    return reader_.Failed() ? Tail::kFailed : Tail::kFileEnded;
}

// Keys follow one another until a line holding "[ENDREGBASE]", or a key line
// without a bracketed path, ends them. A key whose values are cut short by the
// end of the file is dropped.
SetupDescriptionLoader::Tail SetupDescriptionLoader::ReadRegistryKeys() {
    reader_.SetContext("registry keys");
    Tail tail = NextTailLine(); // the opening line, not used
    if (tail == Tail::kRead)
        tail = NextTailLine();
    for (std::size_t index = 0; tail == Tail::kRead; ++index) {
        const std::string_view line = reader_.Line();
        const std::size_t open = line.find('[');
        const std::size_t close = open == std::string_view::npos ? open : line.find(']', open + 1);
        const bool endLine = line.find("[ENDREGBASE]") != std::string_view::npos;
        if (endLine || close == std::string_view::npos) {
            lines_.registryEnd =
                endLine ? SetupRegistryEnd::kEndLine : SetupRegistryEnd::kStrayLine;
            lines_.registryEndLine = reader_.LineNumber();
            break;
        }
        reader_.SetContext(Numbered("registry key", index));
        RegistryKeyRecord key;
        if (!reader_.StoreText(std::string(line.substr(open + 1, close - open - 1)), key.keyPath,
                               "key path"))
            return Tail::kFailed;
        const std::string_view rest = line.substr(close + 1);
        key.winreg = rest.find("WINREG") != std::string_view::npos;
        key.dontUninstall = rest.find("DONTUNINSTALL") != std::string_view::npos;
        SetupKeyLines keyLines{reader_.LineNumber(), {}};
        tail = ReadKeyValues(key, keyLines);
        if (tail == Tail::kRead) {
            description_.registryKeys.push_back(std::move(key));
            lines_.registryKeys.push_back(std::move(keyLines));
        }
    }
    if (tail == Tail::kFileEnded)
        lines_.registryEnd = SetupRegistryEnd::kFileEnded;
    return tail;
}

// Reads value lines up to the next line that begins with "[", which it
// leaves as the current line.
SetupDescriptionLoader::Tail SetupDescriptionLoader::ReadKeyValues(RegistryKeyRecord& key,
                                                                   SetupKeyLines& lines) {
    SetupDescriptionReader& r = reader_;
    for (;;) {
        Tail tail = NextTailLine();
        if (tail != Tail::kRead || r.Line().front() == '[')
            return tail;
        lines.valueLines.push_back(r.LineNumber());
        RegistryValueRecord value;
        bool ok = r.Text(value.name, "value name") && r.Number(&value.type, "value type") &&
                  (value.type == 1 ? r.Text(value.text, "text value")
                                   : r.Number(&value.number, "number value"));
        if (!ok)
            return Tail::kFailed;
        key.values.push_back(value);
    }
}

// [SECTION] Options

SetupDescriptionLoader::Tail SetupDescriptionLoader::ReadOptions() {
    reader_.SetContext("option count line");
    Tail tail = NextTailLine();
    std::int32_t count = 0;
    if (tail != Tail::kRead)
        return tail;
    lines_.optionCountLine = reader_.LineNumber();
    if (!reader_.Skip("label") || !reader_.Skip("field 2") ||
        !reader_.Number(&count, "option count"))
        return Tail::kFailed;
    lines_.optionCount = count;
    for (int k = 1; k <= SetupDescription::kOptionCount && k <= count; ++k) {
        reader_.SetContext(Numbered("option", k));
        if ((tail = NextTailLine()) != Tail::kRead)
            return tail;
        lines_.options[k] = reader_.LineNumber();
        SetupOption& option = description_.options[k];
        std::string field;
        if (!reader_.Skip("label") || !reader_.Field(&field, "option value") ||
            !reader_.StoreText(field, option.text, "option value"))
            return Tail::kFailed;
        option.number = SetupDescriptionReader::ParseNumber(field);
        description_.optionsRead = k;
    }
    return Tail::kRead;
}
