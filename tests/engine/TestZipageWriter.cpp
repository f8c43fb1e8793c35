#include "ZipageFixture.h"
#include "engine/ZipageWriter.h"

#include <cstdio>
#include <random>

namespace {
std::uint32_t Le32(const std::string& bytes, std::uint32_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::string RandomData(std::size_t size) {
    std::mt19937 random(7);
    std::string data(size, '\0');
    for (char& c : data)
        c = static_cast<char>(random());
    return data;
}
} // namespace

class ZipageWriterTest : public ZipageTest {
protected:
    std::string path() const { return Host("Setup files/archive.zkiv"); }
};

TEST_F(ZipageWriterTest, VolumeReadsBackWithSizesAndChecksumsInTheHeaders) {
    // Incompressible data larger than the member buffer takes the streamed path.
    const std::string big = RandomData(5 << 20);
    const std::string text = TextData(100000);
    std::FILE* file = std::fopen(path().c_str(), "wb");
    ASSERT_NE(nullptr, file);
    ZipageWriter writer(9);
    ZipagePackageInfo setup, data;
    ASSERT_TRUE(writer.Begin(file));
    ASSERT_TRUE(writer.BeginPackage());
    ASSERT_TRUE(writer.AddMember("config.ini", "[setup]\n", 8));
    ASSERT_TRUE(writer.EndPackage(&setup));
    ASSERT_TRUE(writer.BeginPackage());
    ASSERT_TRUE(writer.AddMember("big.bin", big.data(), big.size()));
    ASSERT_TRUE(writer.BeginMember("text.txt"));
    ASSERT_TRUE(writer.AddData(text.data(), 1000));
    ASSERT_TRUE(writer.AddData(text.data() + 1000, text.size() - 1000));
    ASSERT_TRUE(writer.EndMember());
    ASSERT_TRUE(writer.AddMember("empty", "", 0));
    ASSERT_TRUE(writer.EndPackage(&data));
    ASSERT_TRUE(writer.Finish(setup.offset)) << writer.Error();
    std::fclose(file);
    EXPECT_EQ(1, setup.members);
    EXPECT_EQ(3, data.members);
    EXPECT_EQ(big.size() + text.size(), data.bytes);

    ASSERT_EQ(0, OpenMain());
    EXPECT_EQ(static_cast<int>(setup.offset), zip.ReadSetupPackageOffset());
    ASSERT_EQ(0, Extract(static_cast<int>(data.offset)));
    EXPECT_EQ(big, Read("Out/big.bin"));
    EXPECT_EQ(text, Read("Out/text.txt"));
    EXPECT_EQ("", Read("Out/empty"));

    // The free trailer value marks the writer's volumes; each header carries
    // the uncompressed size and CRC-32.
    const std::string volume = Read("Setup files/archive.zkiv");
    EXPECT_EQ("ZKIV", volume.substr(volume.size() - 8, 4));
    const std::string* contents[] = {&big, &text};
    std::uint32_t link = data.offset + 4;
    for (const std::string* content : contents) {
        std::uint32_t header = Le32(volume, link);
        EXPECT_EQ(content->size(), Le32(volume, header));
        EXPECT_EQ(crc32(0, reinterpret_cast<const Bytef*>(content->data()),
                        static_cast<uInt>(content->size())),
                  Le32(volume, header + 4));
        link = header + 12 + Le32(volume, header + 8);
    }
}

TEST_F(ZipageWriterTest, RefusesBadNamesLevelsAndOrder) {
    std::FILE* file = std::fopen(path().c_str(), "wb");
    ASSERT_NE(nullptr, file);
    ZipageWriter writer;
    ASSERT_TRUE(writer.Begin(file));
    EXPECT_FALSE(writer.BeginMember("outside.txt")); // no package open
    ASSERT_TRUE(writer.BeginPackage());
    EXPECT_FALSE(writer.AddMember("", "x", 1));
    EXPECT_FALSE(writer.AddMember(std::string(260, 'n'), "x", 1));
    EXPECT_TRUE(writer.AddMember(std::string(259, 'n'), "x", 1));
    EXPECT_FALSE(writer.Finish(0)); // the package is still open
    std::fclose(file);

    ZipageWriter badLevel(12);
    std::FILE* other = std::fopen(path().c_str(), "wb");
    ASSERT_TRUE(badLevel.Begin(other) && badLevel.BeginPackage());
    EXPECT_FALSE(badLevel.BeginMember("a.txt"));
    std::fclose(other);
}
