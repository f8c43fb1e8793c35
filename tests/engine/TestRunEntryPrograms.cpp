#include "FileInstallFixture.h"
#include "engine/RunEntryPrograms.h"

#include <cstring>

namespace {

namespace fs = std::filesystem;

class RunEntryProgramsTest : public FileInstallTest {
protected:
    // A program that notes its start in C:\log.txt, takes a moment, and
    // notes its end, so that overlapping runs show in the log.
    void Program(const std::string& relative, const std::string& label) {
        Write(relative, "#!/bin/sh\n"
                        "echo " +
                            label + "-start >> \"" + Host("log.txt") +
                            "\"\n"
                            "sleep 0.2\n"
                            "echo " +
                            label + "-end >> \"" + Host("log.txt") + "\"\n");
        fs::permissions(Host(relative), fs::perms::owner_all);
    }
    static InstallEntry Entry(bool packed, const char* destination, const char* source) {
        InstallEntry entry;
        entry.packed = packed;
        entry.run = true;
        std::strcpy(entry.destinationFolder, destination);
        std::strcpy(entry.sourceFolder, source);
        return entry;
    }
};

// A packed entry's programs are in the installation folder, another's in
// the installation source; each runs to its end before the next starts.
TEST_P(RunEntryProgramsTest, RunsTheProgramsOfEachEntryOneAfterTheOther) {
    Program("App/bin/b.EXE", "b");
    Program("App/bin/a.exe", "a");
    Write("App/bin/readme.txt", "not a program");
    Program("App/bin/sub/deep.exe", "deep");
    Program("Medium/extra/setup.exe", "extra");
    Program("Medium/root.exe", "root");
    InstallEntry packed = Entry(true, "bin", "ignored");
    InstallEntry copied = Entry(false, "ignored", "extra");
    InstallEntry whole = Entry(false, "ignored", "");

    RunEntryPrograms({&packed, &copied, &whole}, u"C:\\App", u"C:\\Medium");
    EXPECT_EQ(Read("log.txt"), "a-start\na-end\nb-start\nb-end\nextra-start\nextra-end\n"
                               "root-start\nroot-end\n");
}

// Unquoted, "C:\My App\bin\tool.exe" would first name "C:\My.exe".
TEST_P(RunEntryProgramsTest, APathWithBlanksRunsThatProgramOnly) {
    Program("My App/bin/tool.exe", "tool");
    Program("My.exe", "planted");
    InstallEntry packed = Entry(true, "bin", "");
    RunEntryPrograms({&packed}, u"C:\\My App", u"C:\\Medium");
    EXPECT_EQ(Read("log.txt"), "tool-start\ntool-end\n");
}

TEST_P(RunEntryProgramsTest, AProgramThatCannotStartIsPassedOver) {
    Write("App/bin/a.exe", "not runnable");
    Program("App/bin/b.exe", "b");
    InstallEntry packed = Entry(true, "bin", "");
    InstallEntry missing = Entry(true, "nowhere", "");
    RunEntryPrograms({&missing, &packed}, u"C:\\App", u"C:\\Medium");
    EXPECT_EQ(Read("log.txt"), "b-start\nb-end\n");
}

FILE_INSTALL_BOTH_FAMILIES(RunEntryProgramsTest);

} // namespace
