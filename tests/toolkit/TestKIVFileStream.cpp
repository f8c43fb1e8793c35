#include "TestMachine.h"
#include "toolkit/KIVFileStream.h"
#include "toolkit/KIVSystem.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

class KIVFileStreamTest : public MachineTest {
protected:
    void SetUp() override { KIVResetPlatformFamily(); }

    Bytes HostBytes(const char* name) const {
        std::ifstream in(machine.DriveC(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void PutHostBytes(const char* name, const Bytes& bytes) const {
        std::ofstream out(machine.DriveC(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
};

TEST_F(KIVFileStreamTest, MarkedFileAndTaggedValuesInNativeOrder) {
    KIVFileStream out;
    ASSERT_TRUE(out.Open(KIVFileStream::kWrite, u"C:\\marked.bin", 0));
    EXPECT_TRUE(out.IsNativeOrder());
    EXPECT_TRUE(out.WriteTaggedLong(0x01020304));
    EXPECT_TRUE(out.WriteTaggedColour(0x001E140A)); // bytes 10, 20, 30
    EXPECT_TRUE(out.WriteTaggedByte(0xAB));
    out.Close();
    EXPECT_EQ(HostBytes("marked.bin"),
              (Bytes{255, 2, 0, 4, 3, 2, 1, 8, 0, 30, 20, 10, 0, 0, 0xAB}));

    KIVFileStream in;
    ASSERT_TRUE(in.Open(KIVFileStream::kRead, u"C:\\marked.bin", 0));
    EXPECT_TRUE(in.IsNativeOrder());
    EXPECT_EQ(in.Tell(), 1) << "the marker is consumed";
    LONG number = 0;
    DWORD colour = 0;
    BYTE byte = 0;
    EXPECT_TRUE(in.ReadTaggedLong(&number));
    EXPECT_EQ(number, 0x01020304);
    EXPECT_TRUE(in.ReadTaggedColour(&colour));
    EXPECT_EQ(colour, 0x001E140Au);
    EXPECT_FALSE(in.ReadTaggedLong(&number)) << "the tag of a byte is not that of a number";
    EXPECT_EQ(in.Seek(-3, FILE_END), 12);
    EXPECT_TRUE(in.ReadTaggedByte(&byte));
    EXPECT_EQ(byte, 0xAB);
    EXPECT_FALSE(in.ReadTaggedByte(&byte)) << "nothing left";
}

TEST_F(KIVFileStreamTest, ForeignMarkerReversesValues) {
    PutHostBytes("foreign.bin", {1, 0x12, 0x34, 0x12, 0x34, 0x56, 0x78});
    KIVFileStream in;
    ASSERT_TRUE(in.Open(KIVFileStream::kRead, u"C:\\foreign.bin", 0));
    EXPECT_FALSE(in.IsNativeOrder());
    WORD word = 0;
    DWORD dword = 0;
    EXPECT_EQ(in.ReadOrdered(&word, 2), 2);
    EXPECT_EQ(in.ReadOrdered(&dword, 4), 4);
    EXPECT_EQ(word, 0x1234);
    EXPECT_EQ(dword, 0x12345678u);

    // Writing with a marker other than 255 stores values most significant byte first.
    KIVFileStream out;
    ASSERT_TRUE(out.Open(KIVFileStream::kWrite, u"C:\\big.bin", 7));
    EXPECT_FALSE(out.IsNativeOrder());
    EXPECT_TRUE(out.WriteTaggedLong(0x01020304));
    EXPECT_TRUE(out.WriteTaggedColour(0x001E140A));
    out.Close();
    EXPECT_EQ(HostBytes("big.bin"), (Bytes{7, 0, 2, 1, 2, 3, 4, 0, 8, 30, 20, 10}));
}

TEST_F(KIVFileStreamTest, ReadingPastTheEndUntilASeekBack) {
    PutHostBytes("short.bin", {1, 2, 3});
    KIVFileStream in;
    ASSERT_TRUE(in.Open(KIVFileStream::kRawRead, u"C:\\short.bin", 0));
    EXPECT_EQ(in.GetSize(), 3);
    EXPECT_FALSE(in.IsEnd());
    BYTE buffer[10] = {};
    EXPECT_EQ(in.Read(buffer, 10), 3);
    EXPECT_EQ(buffer[2], 3);
    EXPECT_TRUE(in.IsEnd());
    EXPECT_EQ(in.Seek(1, FILE_BEGIN), 1);
    EXPECT_FALSE(in.IsEnd());
    EXPECT_EQ(in.Read(buffer, 2), 2);
    EXPECT_TRUE(in.IsEnd()) << "at the size, though the read was complete";
}

TEST_F(KIVFileStreamTest, AppendModesKeepContentAndMarker) {
    KIVFileStream first;
    ASSERT_TRUE(first.Open(KIVFileStream::kAppendMarked, u"C:\\log.bin", 0));
    EXPECT_TRUE(first.IsNativeOrder());
    EXPECT_EQ(first.Write("ab", 2), 2);
    first.Close();
    KIVFileStream second;
    ASSERT_TRUE(second.Open(KIVFileStream::kAppendMarked, u"C:\\log.bin", 0));
    EXPECT_EQ(second.Tell(), 3);
    EXPECT_EQ(second.Write("c", 1), 1);
    second.Close();
    EXPECT_EQ(HostBytes("log.bin"), (Bytes{255, 'a', 'b', 'c'}));

    KIVFileStream truncated;
    ASSERT_TRUE(truncated.Open(KIVFileStream::kReadWriteMarked, u"C:\\log.bin", 0));
    EXPECT_EQ(truncated.GetSize(), 1);
}

TEST_F(KIVFileStreamTest, SizeAtOpenCountsOnlyWhatTheModeKeeps) {
    PutHostBytes("sized.bin", Bytes(40, 7));
    KIVFileStream stream;
    ASSERT_TRUE(stream.Open(KIVFileStream::kRawRead, u"C:\\sized.bin", 0));
    EXPECT_EQ(stream.DataSize(), 40);
    ASSERT_TRUE(stream.Open(KIVFileStream::kAppend, u"C:\\sized.bin", 0));
    EXPECT_EQ(stream.DataSize(), 40);
    ASSERT_TRUE(stream.Open(KIVFileStream::kWrite, u"C:\\sized.bin", 0));
    EXPECT_EQ(stream.DataSize(), 1); // the marker
    ASSERT_TRUE(stream.Open(KIVFileStream::kRawWrite, u"C:\\sized.bin", 0));
    EXPECT_EQ(stream.DataSize(), 0);
    stream.Close();
    EXPECT_TRUE(HostBytes("sized.bin").empty());
}

TEST_F(KIVFileStreamTest, MemoryWriteGrowsInSteps) {
    KIVFileStream memory;
    ASSERT_TRUE(memory.OpenMemory(KIVFileStream::kMemoryWrite, nullptr, 255));
    EXPECT_FALSE(memory.IsOpen());
    EXPECT_EQ(memory.Capacity(), 16384);
    std::vector<BYTE> data(16384, 7);
    EXPECT_EQ(memory.Write(data.data(), 16384), 16384);
    EXPECT_EQ(memory.Capacity(), 16384) << "an exact fit keeps the capacity";
    EXPECT_EQ(memory.Write("x", 1), 1);
    EXPECT_EQ(memory.Capacity(), 32768);
    EXPECT_EQ(memory.DataSize(), 16385);
    EXPECT_EQ(memory.GetSize(), 0);

    // A write far beyond the data keeps the bytes already written.
    memory.Seek(70000, FILE_BEGIN);
    EXPECT_EQ(memory.Write("y", 1), 1);
    EXPECT_EQ(memory.Capacity(), 81920);
    // Positions outside the block neither read nor write.
    memory.Seek(-1, FILE_BEGIN);
    EXPECT_EQ(memory.Write("z", 1), 0);
    memory.Seek(0x7FFFFFFF, FILE_BEGIN);
    EXPECT_EQ(memory.Write("z", 1), 0);

    HGLOBAL block = memory.Detach();
    ASSERT_NE(block, nullptr);
    auto* bytes = static_cast<BYTE*>(GlobalLock(block));
    EXPECT_EQ(bytes[16383], 7);
    EXPECT_EQ(bytes[16384], 'x');
    EXPECT_EQ(bytes[70000], 'y');
    GlobalUnlock(block);

    // The block read back in place; a read never leaves the block.
    KIVFileStream reader;
    ASSERT_TRUE(reader.OpenMemory(KIVFileStream::kMemoryRead, block, 0));
    EXPECT_FALSE(reader.IsNativeOrder());
    EXPECT_EQ(reader.Seek(81918, FILE_BEGIN), 81918);
    BYTE tail[8] = {};
    EXPECT_EQ(reader.Read(tail, 8), 2);
    EXPECT_FALSE(reader.IsEnd());
    reader.Free();
    EXPECT_EQ(GlobalFree(block), nullptr) << "the reader left the caller's block alone";
}

TEST_F(KIVFileStreamTest, ExistsAndDeleteFile) {
    EXPECT_FALSE(KIVFileStream::Exists(u"C:\\missing.bin"));
    EXPECT_FALSE(std::filesystem::exists(machine.DriveC("missing.bin")));

    KIVFileStream out;
    ASSERT_TRUE(out.Open(KIVFileStream::kRawWrite, u"C:\\gone.bin", 0));
    out.Close();
    EXPECT_TRUE(KIVFileStream::Exists(u"C:\\GONE.bin"));
    out.DeleteFile();
    EXPECT_FALSE(std::filesystem::exists(machine.DriveC("gone.bin")));

    KIVFileStream missing;
    EXPECT_FALSE(missing.Open(KIVFileStream::kRead, u"C:\\missing.bin", 0));
    BYTE byte;
    EXPECT_EQ(missing.Read(&byte, 1), 0);
}

} // namespace
