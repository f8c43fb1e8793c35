#include "toolkit/KIVString.h"
#include "toolkit/KIVStringPool.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

const void* BufferOf(const KIVString& s) { return s.Data(); }

TEST(KIVString, CopySharesUntilChanged) {
    KIVString a(u"shared text");
    KIVString b(a);
    KIVString c;
    c = b;
    EXPECT_EQ(BufferOf(a), BufferOf(b));
    EXPECT_EQ(BufferOf(a), BufferOf(c));
    EXPECT_EQ(a.Data()->refs, 3);

    b += u'!';
    EXPECT_NE(BufferOf(a), BufferOf(b));
    EXPECT_EQ(a, u"shared text");
    EXPECT_EQ(b, u"shared text!");
    EXPECT_EQ(a.Data()->refs, 2);

    c.MakeLower();
    c.Insert(0, u'x');
    c.Delete(0);
    EXPECT_EQ(a, u"shared text");
    EXPECT_EQ(a.Data()->refs, 1);
}

TEST(KIVString, EmptyValuesShareTheStaticBuffer) {
    KIVString a, b(static_cast<const char16_t*>(nullptr)), c(u""), d(u'x', 0);
    const KIVString e = KIVString(u"abc").Mid(7, 1);
    for (const KIVString* s : std::initializer_list<const KIVString*>{&b, &c, &d, &e})
        EXPECT_EQ(BufferOf(a), BufferOf(*s));
    EXPECT_EQ(a.Data()->capacity, 0);
    EXPECT_EQ(a.GetAt(0), 0);
    // An empty value's buffer cannot be written; asking for one gives a private block.
    char16_t* p = a.GetBuffer(0);
    EXPECT_NE(BufferOf(a), BufferOf(b));
    p[0] = 0;
    a.ReleaseBuffer();
    EXPECT_TRUE(a.IsEmpty());
}

TEST(KIVString, AppendingOneCharacterAtATimeAllocatesAtClassBoundaries) {
    KIVString s;
    std::vector<int> allocatedAt;
    const void* buffer = BufferOf(s);
    for (int n = 1; n <= 600; ++n) {
        s += static_cast<char16_t>(u'a' + n % 26);
        if (BufferOf(s) != buffer)
            allocatedAt.push_back(n);
        buffer = BufferOf(s);
        const int expected = n <= 64 ? 64 : n <= 128 ? 128 : n <= 256 ? 256 : n <= 512 ? 512 : n;
        ASSERT_EQ(s.Data()->capacity, expected) << "at length " << n;
    }
    std::vector<int> expected = {1, 65, 129, 257};
    for (int n = 513; n <= 600; ++n)
        expected.push_back(n);
    EXPECT_EQ(allocatedAt, expected);
    EXPECT_EQ(s.GetLength(), 600);
    EXPECT_EQ(s.GetAt(599), u'a' + 600 % 26);
}

TEST(KIVString, DestroyingAllSharersReturnsTheBlockOnce) {
    KIVStringPool* pool = KIVStringPool::ForCapacity(128);
    ASSERT_NE(pool, nullptr);
    { KIVString warm(u'w', 100); } // the pool has a chunk from here on
    const int freeBefore = pool->FreeBlocks();
    const void* block;
    {
        KIVString a(u'x', 100);
        block = BufferOf(a);
        KIVString b(a), c(a);
        KIVString d = c.Left(500);
        EXPECT_EQ(BufferOf(d), block);
        EXPECT_EQ(pool->FreeBlocks(), freeBefore - 1);
    }
    EXPECT_EQ(pool->FreeBlocks(), freeBefore);
    KIVString again(u'y', 70);
    EXPECT_EQ(BufferOf(again), block); // the block went back to the head of the free list
}

TEST(KIVString, PoolHandsOutBlocksInAscendingOrder) {
    KIVStringPool pool(272);
    std::vector<char*> blocks;
    for (int i = 0; i < 70; ++i)
        blocks.push_back(static_cast<char*>(pool.Allocate()));
    for (int i = 1; i < 64; ++i)
        EXPECT_EQ(blocks[i] - blocks[i - 1], 272);
    EXPECT_EQ(pool.Chunks(), 2);
    EXPECT_EQ(pool.FreeBlocks(), 128 - 70);
    for (char* block : blocks)
        pool.Free(block);
    EXPECT_EQ(pool.FreeBlocks(), 128);
    EXPECT_EQ(pool.Chunks(), 2);
}

TEST(KIVString, MidLeftRightEdges) {
    const KIVString s(u"abcde");
    EXPECT_EQ(s.Mid(3, 100), u"de");
    EXPECT_TRUE(s.Mid(7, 1).IsEmpty());
    EXPECT_EQ(s.Mid(5, 3).GetLength(), 0);
    EXPECT_EQ(s.Mid(-2, 2), u"ab");
    EXPECT_EQ(s.Mid(1, -1).GetLength(), 0);
    EXPECT_EQ(s.Mid(2), u"cde");
    EXPECT_EQ(BufferOf(s.Mid(0, 5)), BufferOf(s));
    EXPECT_NE(BufferOf(s.Mid(0, 4)), BufferOf(s));
    EXPECT_TRUE(s.Left(-1).IsEmpty());
    EXPECT_EQ(s.Left(2), u"ab");
    EXPECT_EQ(BufferOf(s.Left(5)), BufferOf(s));
    EXPECT_EQ(s.Right(2), u"de");
    EXPECT_TRUE(s.Right(-3).IsEmpty());
    EXPECT_EQ(BufferOf(s.Right(10)), BufferOf(s));
}

TEST(KIVString, FindEdges) {
    const KIVString s(u"a.b.c");
    EXPECT_EQ(s.Find(u"", 5), 5);
    EXPECT_EQ(s.Find(u"", 6), -1);
    EXPECT_EQ(s.Find(u".c"), 3);
    EXPECT_EQ(s.Find(u".", 2), 3);
    EXPECT_EQ(s.Find(u"c.", 0), -1);
    EXPECT_EQ(s.Find('.'), 1);
    EXPECT_EQ(s.Find('.', 4), -1);
    EXPECT_EQ(s.Find('c', 5), -1);
    EXPECT_EQ(s.Find('a', -3), 0);
    EXPECT_EQ(s.ReverseFind('.'), 3);
    EXPECT_EQ(s.ReverseFind('x'), -1);
    EXPECT_EQ(KIVString(u"caf\u00e9").Find('\xe9'), 3);
}

TEST(KIVString, InsertAndDelete) {
    KIVString s(u"ace");
    EXPECT_EQ(s.Insert(1, u'b'), 4);
    EXPECT_EQ(s.Insert(99, u"fg"), 6);
    EXPECT_EQ(s.Insert(-5, u">"), 7);
    EXPECT_EQ(s.Insert(3, u""), 7);
    EXPECT_EQ(s, u">abcefg");
    EXPECT_EQ(s.Insert(4, static_cast<const char16_t*>(s) + 1), 13); // its own text
    EXPECT_EQ(s, u">abcabcefgefg");
    EXPECT_EQ(s.Delete(4, 6), 13);
    EXPECT_EQ(s, u">abcefg");
    EXPECT_EQ(s.Delete(-1, 1), 7);
    EXPECT_EQ(s.Delete(6, 0), 6);
    EXPECT_EQ(s.Delete(7, 1), 6);
    EXPECT_EQ(s.Delete(4, 50), 6); // a count past the end stops at the end
    EXPECT_EQ(s, u"abce");

    KIVString big(u'x', 64);
    const void* before = BufferOf(big);
    big.Insert(10, u'y');
    EXPECT_NE(BufferOf(big), before);
    EXPECT_EQ(big.Data()->capacity, 128);
    EXPECT_EQ(big.Find(u"y"), 10);
}

TEST(KIVString, AssignReusesAPrivateBufferOnly) {
    KIVString s(u"first value");
    const void* before = BufferOf(s);
    s = u"second";
    EXPECT_EQ(BufferOf(s), before);
    s = static_cast<const char16_t*>(s) + 3; // overlapping source
    EXPECT_EQ(s, u"ond");
    KIVString copy(s);
    s = u"third";
    EXPECT_NE(BufferOf(s), BufferOf(copy));
    EXPECT_EQ(copy, u"ond");
    s = static_cast<const char16_t*>(nullptr);
    EXPECT_TRUE(s.IsEmpty());
    s += s;
    s += static_cast<const char16_t*>(nullptr);
    EXPECT_TRUE(s.IsEmpty());
}

TEST(KIVString, Concatenation) {
    const KIVString a(u"ab"), b(u"cd");
    EXPECT_EQ(a + b, u"abcd");
    EXPECT_EQ(a + u"x", u"abx");
    EXPECT_EQ(u'<' + a, u"<ab");
    EXPECT_EQ('<' + a, u"<ab");
    EXPECT_EQ((KIVString() + KIVString()).Data()->capacity, 0);
    KIVString s(a);
    s += s;
    s += 'z';
    EXPECT_EQ(s, u"ababz");
    EXPECT_EQ(KIVString(u'x', 300) + KIVString(u'y', 300), KIVString(u'x', 300) += KIVString(u'y', 300));
    EXPECT_EQ((KIVString(u'x', 300) + KIVString(u'y', 300)).Data()->capacity, 600);
}

TEST(KIVString, ComparisonsAndCase) {
    KIVString s(u"Setup.EXE");
    EXPECT_TRUE(s == KIVString(u"Setup.EXE"));
    EXPECT_FALSE(s == KIVString(u"Setup.EX"));
    EXPECT_TRUE(s != u"setup.exe");
    EXPECT_EQ(s.CompareNoCase(u"setup.exe"), 0);
    EXPECT_LT(s.CompareNoCase(u"setup.exf"), 0);
    EXPECT_GT(s.CompareNoCase(u"setup"), 0);
    EXPECT_NE(KIVString(u"\u00c9").CompareNoCase(u"\u00e9"), 0); // only ASCII folds by default
    s.MakeLower();
    EXPECT_EQ(s, u"setup.exe");
    KIVString accented(u"\u00c9T\u00c9");
    accented.MakeLower();
    EXPECT_EQ(accented, u"\u00c9t\u00c9");
}

TEST(KIVString, GetBufferKeepsTextAndReleaseBufferMeasures) {
    KIVString s(u"abc");
    KIVString copy(s);
    char16_t* p = s.GetBuffer(200);
    EXPECT_EQ(s.Data()->capacity, 256);
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(p[2], u'c');
    EXPECT_EQ(copy, u"abc");
    p[3] = u'd';
    p[4] = 0;
    s.ReleaseBuffer();
    EXPECT_EQ(s, u"abcd");
    // Without a terminator the text is cut at the capacity.
    p = s.GetBuffer(0);
    for (int i = 0; i <= s.Data()->capacity; ++i)
        p[i] = u'z';
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), s.Data()->capacity);
    EXPECT_EQ(s.GetAt(s.GetLength() - 1), u'z');
}

} // namespace
