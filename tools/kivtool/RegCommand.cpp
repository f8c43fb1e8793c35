// "kivtool reg": reads and changes the system registry of the current
// machine ($KIV_MACHINE) and moves it to and from registry text files.
// [SECTION] Usage
// [SECTION] Keys
// [SECTION] Commands
#include "tools/kivtool/KivCommand.h"
#include "tools/kivtool/ReadHostFile.h"
#include "tools/kivtool/RegArguments.h"
#include "tools/kivtool/RegTextApply.h"
#include "tools/kivtool/RegTextCodec.h"
#include "tools/kivtool/RegTextQuery.h"
#include "tools/kivtool/RegTextReader.h"
#include "tools/kivtool/RegTextWriter.h"

#include "platform/Machine.h"
#include "platform/RegistryNames.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// [SECTION] Usage

const char kUsage[] =
    "usage: kivtool reg COMMAND ...\n"
    "\n"
    "  query KEY [VALUE]  show the values and sub keys of KEY, or one value\n"
    "  export [KEY]       write the registry (or KEY and all below it) to standard\n"
    "                     output in the \"Windows Registry Editor Version 5.00\" format\n"
    "                     (UTF-16LE as the registry editor writes it; --utf8 for UTF-8)\n"
    "  import FILE.reg    apply a registry file: all of it, or nothing on any error\n"
    "  delete KEY         delete KEY with all its values and sub keys\n"
    "\n"
    "KEY is a full key name such as HKEY_LOCAL_MACHINE\\SOFTWARE\\Talvic (or\n"
    "HKLM\\..., HKCU\\..., HKCR\\..., HKU\\..., HKCC\\...). The machine is $KIV_MACHINE.\n"
    "'kivtool reg COMMAND --help' describes a command. Exit status: 0 done, 1 failed,\n"
    "2 a command line that does not fit.\n";

const char kQueryUsage[] =
    "usage: kivtool reg query KEY [VALUE]\n"
    "Shows the values of KEY and the names of its sub keys, or only the value\n"
    "VALUE (\"\" for the default value; put \"--\" before a name that begins with\n"
    "\"-\"). Exit status 1 when it does not exist.\n";
const char kExportUsage[] =
    "usage: kivtool reg export [--utf8] [KEY] > FILE.reg\n"
    "Writes the whole registry, or KEY with everything below it, as registry text:\n"
    "keys depth first and values in the order they were created. The file is what\n"
    "the Windows registry editor writes and reads: UTF-16LE after its byte-order\n"
    "mark, with CR LF line ends.\n"
    "\n"
    "  --utf8   write UTF-8 with LF line ends instead (to compare files as text;\n"
    "           \"reg import\" reads both, the Windows registry editor only UTF-16LE)\n";
const char kImportUsage[] =
    "usage: kivtool reg import FILE.reg\n"
    "Applies a registry text file in one transaction: [KEY] creates a key, [-KEY]\n"
    "deletes it with all below it, \"name\"=- deletes a value. The file may be\n"
    "UTF-16LE with its byte-order mark (as the registry editor writes it) or UTF-8,\n"
    "with CR LF or LF line ends. Key and value names must be text of the machine's\n"
    "code page; so must text values on a machine of the older family, whose\n"
    "registry keeps text in its code page (the NT family keeps any character).\n"
    "A file with an error is refused with its line number and nothing is changed;\n"
    "otherwise the command says how many keys and values it imported. A file over\n"
    "256 MiB is refused.\n";
// An export of a whole machine is a few megabytes.
constexpr std::size_t kMaxImportBytes = std::size_t(256) << 20;
const char kDeleteUsage[] =
    "usage: kivtool reg delete KEY\n"
    "Deletes KEY with all its values and sub keys. Root keys cannot be deleted.\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "kivtool reg: %s\n", message.c_str());
    return 1;
}

// A command line that does not fit: what was wrong, then how it is used.
int UsageError(const std::string& problem, const char* usage) {
    std::fprintf(stderr, "kivtool reg: %s\n\n%s", problem.c_str(), usage);
    return 2;
}

// [SECTION] Keys

// A key named on the command line, found in the store, with its name as
// the registry spells it.
struct FoundKey {
    RegKeyId id = 0;
    std::string name;
};

LONG FindKey(RegistryStore& store, const std::string& argument, FoundKey* key, std::string* error) {
    RegKeyId root = 0;
    std::string path;
    if (!RegTextReader::ParseKeyName(argument, &root, &path, error))
        return ERROR_INVALID_PARAMETER;
    key->id = root;
    key->name = RegistryStore::RootName(root);
    std::vector<std::string> levels;
    if (!path.empty())
        levels = RegistryNames::SplitPath(path, store.CodePage());
    for (const std::string& level : levels) {
        std::string spelled, utf8;
        LONG result = store.FindPath(key->id, level, &key->id);
        if (result == ERROR_SUCCESS)
            result = store.KeyName(key->id, &spelled);
        if (result) {
            *error = result == ERROR_FILE_NOT_FOUND ? "no such key: " + argument
                                                    : "cannot read the registry";
            return result;
        }
        key->name += "\\" + (RegTextCodec::AnsiToUtf8(spelled, &utf8) ? utf8 : spelled);
    }
    return ERROR_SUCCESS;
}

// The whole content of a file; false with the reason in *error.
bool ReadWhole(const std::string& path, std::string* content, std::string* error) {
    std::string reason;
    if (ReadHostFile(path, kMaxImportBytes, content, &reason) == HostFileRead::kRead)
        return true;
    *error = "cannot read " + path + ": " + reason;
    return false;
}

std::string Counted(std::size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// "imported 2 keys and 5 values from FILE", and what it deleted.
std::string ImportReport(const RegTextApply::Counts& counts, const std::string& path) {
    std::string report = "imported " + Counted(counts.keys, "key") + " and " +
                         Counted(counts.values, "value") + " from " + path;
    if (counts.deletedKeys || counts.deletedValues)
        report += "; deleted " + Counted(counts.deletedKeys, "key") + " and " +
                  Counted(counts.deletedValues, "value");
    return report + "\n";
}

// [SECTION] Commands

int Query(RegistryStore& store, const RegArguments& arguments) {
    const std::vector<std::string>& args = arguments.operands;
    FoundKey key;
    std::string error, valueName;
    if (FindKey(store, args[0], &key, &error))
        return Fail(error);
    std::vector<RegistryValue> values(1);
    std::vector<RegistrySubKey> subKeys;
    if (args.size() == 2) {
        if (!RegTextCodec::Utf8ToAnsi(args[1], &valueName) ||
            store.GetValue(key.id, valueName, &values[0]))
            return Fail("no such value: " + args[1]);
    } else if (store.Values(key.id, &values) || store.SubKeys(key.id, &subKeys)) {
        return Fail("cannot read the registry");
    }
    std::string out = key.name + "\n";
    for (const RegistryValue& value : values)
        out += RegTextQuery::ValueLine(value, store.WideText()) + "\n";
    for (const RegistrySubKey& subKey : subKeys) {
        std::string utf8;
        out += "\n" + key.name + "\\" +
               (RegTextCodec::AnsiToUtf8(subKey.name, &utf8) ? utf8 : subKey.name) + "\n";
    }
    std::fputs(out.c_str(), stdout);
    return 0;
}

int Export(RegistryStore& store, const RegArguments& arguments) {
    const std::vector<std::string>& args = arguments.operands;
    std::string out = std::string(RegTextWriter::kHeader) + "\n";
    std::string failedKey;
    LONG result = ERROR_SUCCESS;
    if (args.size() == 1) {
        FoundKey key;
        std::string error;
        if (FindKey(store, args[0], &key, &error))
            return Fail(error);
        result = RegTextWriter::WriteKey(store, key.id, key.name, true, &out, &failedKey);
    }
    for (RegKeyId root = RegistryStore::kFirstRoot;
         args.empty() && root <= RegistryStore::kLastRoot; ++root)
        if (root != RegistryStore::RootId(HKEY_PERFORMANCE_DATA) && !result)
            result = RegTextWriter::WriteKey(store, root, RegistryStore::RootName(root), false,
                                             &out, &failedKey);
    if (result == ERROR_NO_UNICODE_TRANSLATION)
        return Fail("cannot export " + failedKey +
                    ": a sub key or value name is not text of the machine's code page");
    if (result)
        return Fail("cannot read the registry");
    out += "\n";
    std::string file;
    if (!RegTextWriter::FileText(out, arguments.option, &file))
        return Fail("cannot export " + (args.empty() ? std::string("the registry") : args[0]) +
                    ": a key name is not text of the machine's code page");
    if (std::fwrite(file.data(), 1, file.size(), stdout) != file.size() || std::fflush(stdout))
        return Fail(std::string("cannot write the output: ") + std::strerror(errno));
    return 0;
}

int Import(RegistryStore& store, const RegArguments& arguments) {
    const std::vector<std::string>& args = arguments.operands;
    std::string content, error;
    if (!ReadWhole(args[0], &content, &error))
        return Fail(error);
    std::vector<RegTextChange> changes;
    int line = 0;
    if (!RegTextReader::Parse(content, store.WideText(), &changes, &line, &error))
        return Fail(args[0] + ":" + std::to_string(line) + ": " + error + "; nothing imported");
    if (LONG result = RegTextApply::Apply(store, changes, &line))
        return Fail(args[0] + ":" + std::to_string(line) + ": cannot apply (error " +
                    std::to_string(result) + "); nothing imported");
    std::fputs(ImportReport(RegTextApply::Count(changes, store.CodePage()), args[0]).c_str(),
               stdout);
    return 0;
}

int Delete(RegistryStore& store, const RegArguments& arguments) {
    const std::vector<std::string>& args = arguments.operands;
    FoundKey key;
    std::string error;
    RegistryStore::Transaction transaction(store, true);
    if (FindKey(store, args[0], &key, &error))
        return Fail(error);
    if (key.id <= RegistryStore::kLastRoot)
        return Fail("a root key cannot be deleted");
    if (store.DeleteTree(key.id, false) || !transaction.Commit())
        return Fail("cannot change the registry");
    return 0;
}

int RunReg(const std::vector<std::string>& args) {
    if (args.empty())
        return UsageError("no command given", kUsage);
    if (args[0] == "--help" || args[0] == "-h")
        return std::fputs(kUsage, stdout), 0;
    struct Command {
        const char* name;
        const char* usage;
        RegArgumentRule rule;
        int (*run)(RegistryStore&, const RegArguments&);
    };
    static const Command kCommands[] = {{"query", kQueryUsage, {"KEY", 2}, Query},
                                        {"export", kExportUsage, {nullptr, 1, "--utf8"}, Export},
                                        {"import", kImportUsage, {"FILE", 1}, Import},
                                        {"delete", kDeleteUsage, {"KEY", 1}, Delete}};
    for (const Command& command : kCommands) {
        if (args[0] != command.name)
            continue;
        RegArguments arguments =
            ParseRegArguments(std::vector<std::string>(args.begin() + 1, args.end()), command.rule);
        if (arguments.help)
            return std::fputs(command.usage, stdout), 0;
        if (!arguments.problem.empty())
            return UsageError(args[0] + ": " + arguments.problem, command.usage);
        RegistryStore::Session session;
        if (!session.Store())
            return Fail("cannot open the registry of the machine at " + Machine::Current().Root());
        return command.run(*session.Store(), arguments);
    }
    return UsageError("unknown command '" + args[0] + "'", kUsage);
}

KivCommand reg("reg", "query, export, import and delete registry keys", RunReg);

} // namespace
