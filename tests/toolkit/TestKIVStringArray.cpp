#include "toolkit/KIVStringArray.h"

#include <gtest/gtest.h>

namespace {

TEST(KIVStringArray, GrowsByTheAutomaticStep) {
    KIVStringArray array;
    EXPECT_TRUE(array.SetSize(1));
    EXPECT_EQ(array.GetCapacity(), 4);
    array.SetSize(5);
    EXPECT_EQ(array.GetCapacity(), 8);
    array.SetSize(100);
    EXPECT_EQ(array.GetCapacity(), 100);
    array.SetSize(101); // step 100 / 8 = 12
    EXPECT_EQ(array.GetCapacity(), 112);
    array.SetSize(50000);
    array.SetSize(50001); // step clamped to 1024
    EXPECT_EQ(array.GetCapacity(), 51024);
}

TEST(KIVStringArray, FixedStepAndKeptStep) {
    KIVStringArray array;
    array.SetSize(3, 10);
    EXPECT_EQ(array.GetCapacity(), 10);
    array.SetSize(11);
    EXPECT_EQ(array.GetCapacity(), 20);
    array.SetSize(21, 0);
    EXPECT_EQ(array.GetCapacity(), 24);
}

TEST(KIVStringArray, ElementsSurviveGrowthAndShrinkingDestroysThem) {
    KIVStringArray array;
    array.SetSize(3);
    array[0] = u"zero";
    array[2] = u"two";
    const KIVString kept(array[2]);
    EXPECT_EQ(kept.Data()->refs, 2);
    array.SetSize(40);
    EXPECT_EQ(array[0], u"zero");
    EXPECT_TRUE(array[1].IsEmpty());
    EXPECT_EQ(array[2].Data(), kept.Data());
    EXPECT_TRUE(array[39].IsEmpty());
    array.SetSize(2);
    EXPECT_EQ(kept.Data()->refs, 1);
    array.SetSize(3);
    EXPECT_TRUE(array[2].IsEmpty());
    EXPECT_EQ(array.GetSize(), 3);

    KIVStringArray copy(array);
    EXPECT_EQ(copy[0].Data(), array[0].Data());
    array.SetSize(0);
    EXPECT_EQ(array.GetSize(), 0);
    EXPECT_EQ(array.GetCapacity(), 0);
    EXPECT_EQ(copy[0], u"zero");
    array.SetSize(-4);
    EXPECT_EQ(array.GetSize(), 0);
}

} // namespace
