// "kivtool reg": reads and changes the system registry of the current
// machine ($KIV_MACHINE) and moves it to and from registry text files.
// [SECTION] Usage
// [SECTION] Keys
// [SECTION] Commands
#include "tools/kivtool/KivCommand.h"
#include "tools/kivtool/RegTextApply.h"
#include "tools/kivtool/RegTextCodec.h"
#include "tools/kivtool/RegTextQuery.h"
#include "tools/kivtool/RegTextReader.h"
#include "tools/kivtool/RegTextWriter.h"

#include "platform/Machine.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

// [SECTION] Usage

const char kUsage[] =
    "usage: kivtool reg COMMAND ...\n"
    "\n"
    "  query KEY [VALUE]  show the values and sub keys of KEY, or one value\n"
    "  export [KEY]       write the registry (or KEY and all below it) to standard\n"
    "                     output in the \"Windows Registry Editor Version 5.00\" format\n"
    "  import FILE.reg    apply a registry file: all of it, or nothing on any error\n"
    "  delete KEY         delete KEY with all its values and sub keys\n"
    "\n"
    "KEY is a full key name such as HKEY_LOCAL_MACHINE\\SOFTWARE\\Talvic (or\n"
    "HKLM\\..., HKCU\\..., HKCR\\..., HKU\\..., HKCC\\...). The machine is $KIV_MACHINE.\n"
    "'kivtool reg COMMAND --help' describes a command.\n";

const char kQueryUsage[] =
    "usage: kivtool reg query KEY [VALUE]\n"
    "Shows the values of KEY and the names of its sub keys, or only the value\n"
    "VALUE (\"\" for the default value). Exit status 1 when it does not exist.\n";
const char kExportUsage[] =
    "usage: kivtool reg export [KEY] > FILE.reg\n"
    "Writes the whole registry, or KEY with everything below it, as registry text\n"
    "(UTF-8): keys depth first and values in the order they were created.\n";
const char kImportUsage[] =
    "usage: kivtool reg import FILE.reg\n"
    "Applies a registry text file in one transaction: [KEY] creates a key, [-KEY]\n"
    "deletes it with all below it, \"name\"=- deletes a value. A file with an error is\n"
    "refused with its line number and nothing is changed.\n";
const char kDeleteUsage[] =
    "usage: kivtool reg delete KEY\n"
    "Deletes KEY with all its values and sub keys. Root keys cannot be deleted.\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "kivtool reg: %s\n", message.c_str());
    return 1;
}

bool WantsHelp(const std::vector<std::string>& args, const char* usage) {
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h") {
            std::fputs(usage, stdout);
            return true;
        }
    return false;
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
    std::size_t start = 0;
    while (!path.empty() && start <= path.size()) {
        std::size_t end = std::min(path.find('\\', start), path.size());
        std::string spelled, utf8;
        LONG result = store.FindPath(key->id, path.substr(start, end - start), &key->id);
        if (result == ERROR_SUCCESS)
            result = store.KeyName(key->id, &spelled);
        if (result) {
            *error = result == ERROR_FILE_NOT_FOUND ? "no such key: " + argument
                                                    : "cannot read the registry";
            return result;
        }
        key->name += "\\" + (RegTextCodec::AnsiToUtf8(spelled, &utf8) ? utf8 : spelled);
        start = end + 1;
    }
    return ERROR_SUCCESS;
}

// [SECTION] Commands

int Query(RegistryStore& store, const std::vector<std::string>& args) {
    if (args.empty() || args.size() > 2)
        return std::fputs(kQueryUsage, stderr), 2;
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
        out += RegTextQuery::ValueLine(value) + "\n";
    for (const RegistrySubKey& subKey : subKeys) {
        std::string utf8;
        out += "\n" + key.name + "\\" +
               (RegTextCodec::AnsiToUtf8(subKey.name, &utf8) ? utf8 : subKey.name) + "\n";
    }
    std::fputs(out.c_str(), stdout);
    return 0;
}

int Export(RegistryStore& store, const std::vector<std::string>& args) {
    if (args.size() > 1)
        return std::fputs(kExportUsage, stderr), 2;
    std::string out = std::string(RegTextWriter::kHeader) + "\n";
    LONG result = ERROR_SUCCESS;
    if (args.size() == 1) {
        FoundKey key;
        std::string error;
        if (FindKey(store, args[0], &key, &error))
            return Fail(error);
        result = RegTextWriter::WriteKey(store, key.id, key.name, true, &out);
    }
    for (RegKeyId root = RegistryStore::kFirstRoot;
         args.empty() && root <= RegistryStore::kLastRoot; ++root)
        if (root != RegistryStore::RootId(HKEY_PERFORMANCE_DATA) && !result)
            result =
                RegTextWriter::WriteKey(store, root, RegistryStore::RootName(root), false, &out);
    if (result)
        return Fail("cannot read the registry");
    out += "\n";
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size()
               ? 0
               : Fail("cannot write the output");
}

int Import(RegistryStore& store, const std::vector<std::string>& args) {
    if (args.size() != 1)
        return std::fputs(kImportUsage, stderr), 2;
    std::ifstream in(args[0], std::ios::binary);
    std::stringstream content;
    if (!in || !(content << in.rdbuf()))
        return Fail("cannot read " + args[0]);
    std::vector<RegTextChange> changes;
    int line = 0;
    std::string error;
    if (!RegTextReader::Parse(content.str(), &changes, &line, &error))
        return Fail(args[0] + ":" + std::to_string(line) + ": " + error + "; nothing imported");
    if (LONG result = RegTextApply::Apply(store, changes, &line))
        return Fail(args[0] + ":" + std::to_string(line) + ": cannot apply (error " +
                    std::to_string(result) + "); nothing imported");
    return 0;
}

int Delete(RegistryStore& store, const std::vector<std::string>& args) {
    if (args.size() != 1)
        return std::fputs(kDeleteUsage, stderr), 2;
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
        return std::fputs(kUsage, stderr), 2;
    if (args[0] == "--help" || args[0] == "-h")
        return std::fputs(kUsage, stdout), 0;
    struct Command {
        const char* name;
        const char* usage;
        int (*run)(RegistryStore&, const std::vector<std::string>&);
    };
    static const Command kCommands[] = {{"query", kQueryUsage, Query},
                                        {"export", kExportUsage, Export},
                                        {"import", kImportUsage, Import},
                                        {"delete", kDeleteUsage, Delete}};
    std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const Command& command : kCommands) {
        if (args[0] != command.name)
            continue;
        if (WantsHelp(rest, command.usage))
            return 0;
        RegistryStore::Session session;
        if (!session.Store())
            return Fail("cannot open the registry of the machine at " + Machine::Current().Root());
        return command.run(*session.Store(), rest);
    }
    std::fprintf(stderr, "kivtool reg: unknown command '%s'\n\n%s", args[0].c_str(), kUsage);
    return 2;
}

KivCommand reg("reg", "query, export, import and delete registry keys", RunReg);

} // namespace
