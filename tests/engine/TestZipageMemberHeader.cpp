#include "engine/ZipageMemberHeader.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// A header's bytes: two free values, the name length, the name.
std::string HeaderBytes(std::uint32_t nameLength, const std::string& name) {
    std::string bytes;
    for (std::uint32_t value : {0xDEADBEEFu, 0x01020304u, nameLength})
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>(value >> (8 * i));
    return bytes + name;
}

const unsigned char* Bytes(const std::string& text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}
} // namespace

TEST(ZipageMemberHeader, LinkMustPointForwardAndLeaveRoomForTheHeader) {
    ZipageMemberHeader member;
    EXPECT_TRUE(member.SetLink(100, 104, 116)); // no data, header fills the volume
    EXPECT_EQ(12u, member.BytesWanted());
    EXPECT_FALSE(member.SetLink(100, 103, 1000)); // inside its own link
    EXPECT_FALSE(member.SetLink(100, 50, 1000));  // backwards
    EXPECT_FALSE(member.SetLink(100, 105, 116));  // fixed part past the end
    EXPECT_FALSE(member.SetLink(100, 0xFFFFFFF8u, 1000));
    EXPECT_FALSE(member.SetLink(0xFFFFFFFEu, 0xFFFFFFFFu, 0xFFFFFFFFu)); // link + 4 wraps
    EXPECT_FALSE(member.SetLink(998, 1002, 1000));                       // the link itself is cut
}

TEST(ZipageMemberHeader, ReadsNameValuesAndTheNextLink) {
    ZipageMemberHeader member;
    ASSERT_TRUE(member.SetLink(4, 30, 10000));
    EXPECT_EQ(ZipageMemberHeader::kMaxSize, member.BytesWanted());
    std::string bytes = HeaderBytes(5, "a.txt");
    bytes.resize(ZipageMemberHeader::kMaxSize, 'x');
    ASSERT_TRUE(member.Parse(Bytes(bytes)));
    EXPECT_STREQ("a.txt", member.Name());
    EXPECT_EQ(8u, member.DataPosition());
    EXPECT_EQ(22u, member.CompressedSize());
    EXPECT_EQ(30u + 12 + 5, member.NextLink());
    EXPECT_EQ(0xDEADBEEFu, member.FirstValue());
    EXPECT_EQ(0x01020304u, member.SecondValue());
}

TEST(ZipageMemberHeader, NameOf260BytesOrPastTheVolumeIsRefused) {
    ZipageMemberHeader member;
    ASSERT_TRUE(member.SetLink(4, 8, 10000));
    std::string longest = HeaderBytes(259, std::string(259, 'n'));
    EXPECT_TRUE(member.Parse(Bytes(longest)));
    EXPECT_EQ(259u, member.NameLength());
    std::string tooLong = HeaderBytes(260, std::string(259, 'n'));
    EXPECT_FALSE(member.Parse(Bytes(tooLong)));
    std::string huge = HeaderBytes(0xFFFFFFFFu, std::string(259, 'n'));
    EXPECT_FALSE(member.Parse(Bytes(huge)));

    // The volume ends 3 name bytes after the fixed part.
    ASSERT_TRUE(member.SetLink(4, 8, 8 + 12 + 3));
    EXPECT_EQ(15u, member.BytesWanted());
    EXPECT_TRUE(member.Parse(Bytes(HeaderBytes(3, "abc"))));
    EXPECT_FALSE(member.Parse(Bytes(HeaderBytes(4, "abc"))));
}
