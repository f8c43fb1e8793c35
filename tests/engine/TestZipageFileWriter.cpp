// The reader with its writer thread: packages of many members, so that the
// writer falls behind the inflating, checked against what a reader that
// writes each member itself must report and leave.
#include "ZipageFixture.h"

#include "engine/InstallJournal.h"

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Member {
    std::string name;
    std::string data;
};

// Members of varied sizes: mostly small, some empty, some of several chunks.
std::vector<Member> ManyMembers(int count) {
    std::vector<Member> members;
    for (int i = 0; i < count; ++i) {
        std::size_t size = i % 97 == 5 ? 700000 : i % 13 == 0 ? 0 : 1000 + 37 * i % 3000;
        members.push_back({"m" + std::to_string(i) + ".txt", TextData(size)});
    }
    return members;
}

VolumeBytes PackageOf(const std::vector<Member>& members, std::uint32_t* package) {
    VolumeBytes volume;
    *package = volume.Package(static_cast<std::int32_t>(members.size()));
    for (const Member& member : members)
        volume.Member(member.name, ZlibStream(member.data));
    volume.Trailer();
    return volume;
}

// The callbacks folded per member: "name:<name>" then "bytes:<total>" when
// the member reported any bytes. Each chunk is at most one output buffer.
std::vector<std::string> Totals(const std::vector<std::string>& events) {
    std::vector<std::string> totals;
    long long bytes = -1;
    for (const std::string& event : events) {
        if (event.rfind("bytes:", 0) == 0) {
            int chunk = std::stoi(event.substr(6));
            EXPECT_GT(chunk, 0);
            EXPECT_LE(chunk, Zipage::kBufferSize);
            bytes = (bytes < 0 ? 0 : bytes) + chunk;
            continue;
        }
        if (bytes >= 0)
            totals.push_back("bytes:" + std::to_string(bytes));
        bytes = -1;
        totals.push_back(event);
    }
    if (bytes >= 0)
        totals.push_back("bytes:" + std::to_string(bytes));
    return totals;
}

// What a reader that makes each member before it reads the next reports.
std::vector<std::string> Reference(const std::vector<Member>& members, std::size_t count) {
    std::vector<std::string> totals;
    for (std::size_t i = 0; i < count; ++i) {
        totals.push_back("name:" + members[i].name);
        if (!members[i].data.empty())
            totals.push_back("bytes:" + std::to_string(members[i].data.size()));
    }
    return totals;
}

// The callbacks' thread for each event, to check that none comes from the
// writer.
std::thread::id& CallerThread() {
    static std::thread::id id;
    return id;
}
int& ForeignCalls() {
    static int calls;
    return calls;
}

} // namespace

class ZipageFileWriterTest : public ZipageTest {
protected:
    std::vector<std::string> OutFiles() const {
        std::vector<std::string> names;
        if (fs::exists(Host("Out")))
            for (const auto& entry : fs::directory_iterator(Host("Out")))
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<std::string> Listed() const {
        std::vector<std::string> paths;
        for (int i = 0; i < files.GetSize(); ++i)
            paths.push_back(files.GetAt(i));
        return paths;
    }
    static std::vector<std::string> PathsOf(const std::vector<Member>& members, std::size_t count) {
        std::vector<std::string> paths;
        for (std::size_t i = 0; i < count; ++i)
            paths.push_back("C:\\Out\\" + members[i].name);
        return paths;
    }
    static std::vector<std::string> NamesOf(const std::vector<Member>& members, std::size_t count) {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < count; ++i)
            names.push_back(members[i].name);
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ZipageFileWriterTest, ManyMembersReportAndListInVolumeOrderOnTheCallingThread) {
    const std::vector<Member> members = ManyMembers(600);
    std::uint32_t package = 0;
    ASSERT_TRUE(Save(PackageOf(members, &package)));
    ASSERT_EQ(0, OpenMain());
    CallerThread() = std::this_thread::get_id();
    ForeignCalls() = 0;
    auto onBytes = [](int count) {
        ForeignCalls() += std::this_thread::get_id() != CallerThread();
        OnBytes(count);
    };
    auto onName = [](const char* name) {
        ForeignCalls() += std::this_thread::get_id() != CallerThread();
        OnName(name);
    };
    ASSERT_EQ(0, zip.ExtractPackage(u"C:\\Out", static_cast<int>(package), onBytes, onName, &cancel,
                                    &pause, &files, 0));

    EXPECT_EQ(0, ForeignCalls());
    EXPECT_EQ(Reference(members, members.size()), Totals(ZipageEvents()));
    EXPECT_EQ(PathsOf(members, members.size()), Listed());
    for (const Member& member : members)
        ASSERT_EQ(member.data, Read("Out/" + member.name)) << member.name;

    // The reader can be used again at once: the second run replaces every file.
    ZipageEvents().clear();
    files.RemoveAll();
    ASSERT_EQ(0, Extract(static_cast<std::int32_t>(package)));
    EXPECT_EQ(Reference(members, members.size()), Totals(ZipageEvents()));
    EXPECT_EQ(PathsOf(members, members.size()), Listed());
}

TEST_F(ZipageFileWriterTest, CorruptMemberInTheMiddleStopsThePackageThere) {
    const std::vector<Member> members = ManyMembers(300);
    VolumeBytes volume;
    std::uint32_t package = volume.Package(300);
    for (std::size_t i = 0; i < members.size(); ++i) {
        std::string data = ZlibStream(members[i].data);
        if (i == 150)
            data[data.size() / 2] = static_cast<char>(data[data.size() / 2] ^ 0x5A);
        volume.Member(members[i].name, data);
    }
    volume.Trailer();
    ASSERT_TRUE(Save(volume));
    ASSERT_EQ(0, OpenMain());

    EXPECT_EQ(-1, Extract(static_cast<std::int32_t>(package)));
    EXPECT_EQ(ZipageFailure::kData, zip.LastFailure().kind);
    EXPECT_EQ(150, zip.LastFailure().member);
    EXPECT_STREQ("m150.txt", zip.LastFailure().name);
    EXPECT_EQ(NamesOf(members, 150), OutFiles());
    EXPECT_EQ(PathsOf(members, 150), Listed());
    // The damaged member is named, and what came out of it before the
    // damage showed may be reported; nothing after it.
    std::vector<std::string> totals = Totals(ZipageEvents());
    std::vector<std::string> expected = Reference(members, 150);
    expected.push_back("name:m150.txt");
    ASSERT_GE(totals.size(), expected.size());
    EXPECT_LE(totals.size(), expected.size() + 1);
    totals.resize(expected.size());
    EXPECT_EQ(expected, totals);
}

TEST_F(ZipageFileWriterTest, WriterFailuresAreNamedAtTheirMemberAndNothingFollows) {
    // Z: is the host's root: members name host paths below it, so that one
    // package writes both into the machine and into the host's /dev/full,
    // which takes no byte, as a full disk. The host is read-only but for
    // what the process was given.
    Machine::AllowHostChanges("/dev/full");
    std::string root = machine.DriveC("Out").substr(1);
    std::replace(root.begin(), root.end(), '/', '\\');
    fs::create_directories(Host("Out"));
    for (const std::string& failing :
         std::vector<std::string>{"dev\\full", root + "\\missing\\x.txt"}) {
        VolumeBytes volume;
        std::uint32_t package = volume.Package(203);
        for (int i = 0; i < 100; ++i)
            volume.Member(root + "\\before" + std::to_string(i), ZlibStream(TextData(2000)));
        volume.Member(failing, ZlibStream(TextData(2000)));
        for (int i = 0; i < 102; ++i)
            volume.Member(root + "\\after" + std::to_string(i), ZlibStream(TextData(2000)));
        volume.Trailer();
        ASSERT_TRUE(Save(volume));
        ASSERT_EQ(0, OpenMain());
        files.RemoveAll();
        fs::remove_all(Host("Out"));
        fs::create_directories(Host("Out"));

        ZipageEvents().clear();
        EXPECT_EQ(-1, zip.ExtractPackage(u"Z:", static_cast<int>(package), OnBytes, OnName, &cancel,
                                         &pause, &files, 0));
        // The progress shows what was written: the failing member is named,
        // none of its bytes and nothing after it are reported.
        std::vector<std::string> reported;
        for (int i = 0; i < 100; ++i) {
            reported.push_back("name:" + root + "\\before" + std::to_string(i));
            reported.push_back("bytes:2000");
        }
        reported.push_back("name:" + failing);
        EXPECT_EQ(reported, Totals(ZipageEvents())) << failing;
        bool full = failing == "dev\\full";
        EXPECT_EQ(full ? ZipageFailure::kWrite : ZipageFailure::kCreate, zip.LastFailure().kind);
        EXPECT_EQ(100, zip.LastFailure().member);
        EXPECT_EQ(failing, zip.LastFailure().name);
        EXPECT_EQ(100u, OutFiles().size()) << failing;
        for (const std::string& name : OutFiles())
            EXPECT_EQ(0u, name.rfind("before", 0)) << name;
        // A file cut by a full disk stays listed; one never made is not.
        ASSERT_EQ(full ? 101 : 100, files.GetSize());
        if (full) {
            EXPECT_STREQ("Z:\\dev\\full", files.GetAt(100));
        }
        zip.CloseVolumes();
    }
}

TEST_F(ZipageFileWriterTest, CancelWhileTheWriterIsBehindLeavesExactlyWhatWasReported) {
    const std::vector<Member> members = ManyMembers(400);
    std::uint32_t package = 0;
    ASSERT_TRUE(Save(PackageOf(members, &package)));
    ASSERT_EQ(0, OpenMain());
    static std::atomic<unsigned char>* flag;
    flag = &cancel;
    auto onName = [](const char* name) {
        OnName(name);
        if (std::string(name) == "m200.txt")
            flag->store(1);
    };
    ASSERT_EQ(0, zip.ExtractPackage(u"C:\\Out", static_cast<int>(package), OnBytes, onName, &cancel,
                                    &pause, &files, 0));

    // The writer had gone on past m200 when its name was reported: every
    // member reported is made and listed with the bytes reported (the last
    // one maybe cut, or empty), and nothing after it.
    std::vector<std::string> totals = Totals(ZipageEvents());
    std::size_t named = 0;
    for (const std::string& event : totals)
        named += event.rfind("name:", 0) == 0;
    ASSERT_GT(named, 200u);
    ASSERT_LT(named, members.size());
    std::vector<std::string> expected = Reference(members, named - 1);
    ASSERT_GE(totals.size(), expected.size() + 1);
    EXPECT_EQ(expected, std::vector<std::string>(
                            totals.begin(), totals.begin() + static_cast<long>(expected.size())));
    const Member& last = members[named - 1];
    EXPECT_EQ("name:" + last.name, totals[expected.size()]);
    const std::string cut = Read("Out/" + last.name);
    EXPECT_EQ(last.data.substr(0, cut.size()), cut);
    if (totals.size() > expected.size() + 1)
        EXPECT_EQ("bytes:" + std::to_string(cut.size()), totals.back());
    else
        EXPECT_EQ("", cut);
    EXPECT_EQ(NamesOf(members, named), OutFiles());
    EXPECT_EQ(PathsOf(members, named), Listed());
    EXPECT_EQ(members[named - 2].data, Read("Out/" + members[named - 2].name));
}

TEST_F(ZipageFileWriterTest, PauseHoldsTheWriterAsWellAsTheReading) {
    // The member "pipe" goes into a named pipe: the writer is stuck there
    // until the pipe is read, and the pause comes meanwhile. Once the pipe
    // is read, the writer must hold before the member after it.
    std::vector<Member> members = ManyMembers(40);
    members[10] = {"pipe", TextData(200000)}; // one chunk: one step
    std::uint32_t package = 0;
    ASSERT_TRUE(Save(PackageOf(members, &package)));
    ASSERT_EQ(0, OpenMain());
    fs::create_directories(Host("Out"));
    ASSERT_EQ(0, mkfifo(Host("Out/pipe").c_str(), 0600));
    int result = 1;
    std::thread worker([&] { result = Extract(static_cast<std::int32_t>(package)); });
    int pipe = open(Host("Out/pipe").c_str(), O_RDONLY); // returns once the writer has opened it
    ASSERT_GE(pipe, 0);
    pause = 1;
    std::string piped;
    char buffer[65536];
    for (ssize_t got; (got = read(pipe, buffer, sizeof buffer)) > 0;)
        piped.append(buffer, static_cast<std::size_t>(got));
    close(pipe);
    EXPECT_EQ(members[10].data, piped);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(Exists("Out/m11.txt"));
    pause = 0;
    worker.join();
    EXPECT_EQ(0, result);
    EXPECT_EQ(NamesOf(members, members.size()), OutFiles());
    EXPECT_EQ(Reference(members, members.size()), Totals(ZipageEvents()));
}

TEST_F(ZipageFileWriterTest, JournalListsEveryFileBeforeItIsMade) {
    fs::create_directories(Host("Out"));
    InstallJournal journal;
    ASSERT_TRUE(journal.Open(u"C:\\Out", "Product"));
    zip.SetJournal(&journal);
    VolumeBytes volume;
    std::uint32_t package = volume.Package(103);
    for (int i = 0; i < 100; ++i)
        volume.Member("f" + std::to_string(i), ZlibStream(TextData(1500)));
    volume.Member("missing\\g", ZlibStream("never made"));
    volume.Member("h", ZlibStream("never reached"));
    volume.Member("i", ZlibStream("never reached"));
    volume.Trailer();
    ASSERT_TRUE(Save(volume));
    ASSERT_EQ(0, OpenMain());
    EXPECT_EQ(-1, Extract(static_cast<std::int32_t>(package)));
    EXPECT_EQ(ZipageFailure::kCreate, zip.LastFailure().kind);

    std::string expected;
    for (int i = 0; i < 100; ++i)
        expected += "file C:\\Out\\f" + std::to_string(i) + "\r\n";
    expected += "file C:\\Out\\missing\\g\r\n"; // listed before the attempt to make it
    std::string text = Read("Out/" + std::string(InstallJournal::kJournalName));
    std::size_t first = text.find("file ");
    ASSERT_NE(std::string::npos, first);
    // Members after the failing one may be listed (the writer failed after
    // they were handed over), never made.
    std::string rest = text.substr(first);
    ASSERT_EQ(expected, rest.substr(0, expected.size()));
    rest = rest.substr(expected.size());
    EXPECT_TRUE(rest.empty() || rest == "file C:\\Out\\h\r\n" ||
                rest == "file C:\\Out\\h\r\nfile C:\\Out\\i\r\n")
        << rest;
    EXPECT_FALSE(Exists("Out/h"));
    zip.SetJournal(nullptr);
}
