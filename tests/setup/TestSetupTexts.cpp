// The setup's texts by number: a source set by the caller, else the
// application object's language resources, else the English texts; and a
// "%s" replaced without any other conversion being read.
#include "HostFiles.h"
#include "TestMachine.h"
#include "platform/Machine.h"
#include "platform/ui/MessageBoxLog.h"
#include "setup/SetupTexts.h"
#include "toolkit/KIVApplication.h"
#include "tools/KivtoolRun.h"

namespace {

class GermanApplication : public KIVApplication {
public:
    GermanApplication() : KIVApplication("Talvic", "1.0", nullptr, nullptr) {}
    bool OpenDocument(const char16_t*) override { return false; }
    bool NewDocument() override { return true; }
    bool CloseDocuments() override { return false; }
};

class SetupTextsTest : public MachineTest {
protected:
    ~SetupTextsTest() override { Machine::SetProgramPath(""); }

    // A program at C:\Talvic\talvic.exe with German resources beside it.
    void MakeGermanProgram() {
        const std::string program = machine.DriveC("Talvic/talvic.exe");
        WriteHostFile(program, "");
        Machine::SetProgramPath(program);
        const std::string source = machine.Root() + "/sources/German";
        WriteHostFile(source + "/language.txt", "language = German\n");
        WriteHostFile(source + "/texts.txt",
                      "104 = Die Dateien von %s konnten nicht entpackt werden.\n"
                      "124 = Neustart für %s (%%d)?\n");
        WriteHostFile(source + "/fonts.txt",
                      "0 = /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf 13 regular\n");
        const KivtoolRun run = RunKivtool("rc '" + source + "' '" +
                                          machine.DriveC("Talvic/talvic") + "' --english '" +
                                          source + "'");
        ASSERT_EQ(run.status, 0) << run.output;
    }
};

KIVString FromCaller(int number) {
    return number == kTextCopyFailed ? KIVString(u"copy of %s: caller's") : KIVString();
}

} // namespace

TEST_F(SetupTextsTest, TheEnglishTextsServeWithoutResources) {
    EXPECT_EQ(FormatSetupText(kTextExtractFailed, u"Samples"),
              u"The files of Samples could not be unpacked. The installation medium may be "
              u"damaged or incomplete.");
    EXPECT_TRUE(SetupText(9999).IsEmpty());
}

TEST_F(SetupTextsTest, TheApplicationsLanguageComesBeforeTheEnglishTexts) {
    MakeGermanProgram();
    GermanApplication application;
    ASSERT_TRUE(MessageBoxLog::Shown().empty());
    EXPECT_EQ(FormatSetupText(kTextExtractFailed, u"Beispiele"),
              u"Die Dateien von Beispiele konnten nicht entpackt werden.");
    // Only the first "%s" is replaced; the rest of the text stays as it is.
    EXPECT_EQ(FormatSetupText(kTextRestartQuestion, u"Talvic"), u"Neustart für Talvic (%%d)?");
    EXPECT_EQ(SetupText(kTextProgramGroupFailed), u"The program group could not be created.")
        << "a text the resources lack is the English one";

    SetSetupTextSource(FromCaller);
    EXPECT_EQ(FormatSetupText(kTextCopyFailed, u"Extras"), u"copy of Extras: caller's");
    EXPECT_EQ(SetupText(kTextExtractFailed),
              u"The files of %s could not be unpacked. The installation medium may be damaged "
              u"or incomplete.")
        << "a source set by the caller stands alone before the English texts";
    SetSetupTextSource(nullptr);
}

TEST(FormatTextArgumentsTest, EachPlaceTakesTheNextArgumentAndNeverMoreThanGiven) {
    EXPECT_EQ(FormatTextArguments(u"%s of %s free", {u"2 MB", u"5 MB"}), u"2 MB of 5 MB free");
    EXPECT_EQ(FormatTextArguments(u"100%% of %s, then %s and %s", {u"A"}),
              u"100% of A, then  and ")
        << "places beyond the arguments stay empty";
    EXPECT_EQ(FormatTextArguments(u"%d %x %", {u"A"}), u"%d %x %")
        << "other sequences are not formats here";
    EXPECT_EQ(FormatTextArguments(nullptr, {u"A"}), u"");
}
