#include "platform/WinUser.h"

#include <gtest/gtest.h>

namespace {

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(Rect, EmptyMeansNoArea) {
    const RECT area{1, 2, 3, 4};
    const RECT line{5, 5, 9, 5};
    const RECT inverted{9, 0, 5, 4};
    EXPECT_FALSE(IsRectEmpty(&area));
    EXPECT_TRUE(IsRectEmpty(&line));
    EXPECT_TRUE(IsRectEmpty(&inverted));
    EXPECT_TRUE(IsRectEmpty(nullptr));
}

TEST(Rect, UnionLeavesOutEmptySources) {
    const RECT area{10, 20, 30, 40};
    const RECT farEmpty{500, 500, 500, 900}; // empty, so its corner must not widen the union
    RECT result{};
    EXPECT_TRUE(UnionRect(&result, &farEmpty, &area));
    EXPECT_TRUE(Same(result, area));
    EXPECT_TRUE(UnionRect(&result, &area, &farEmpty));
    EXPECT_TRUE(Same(result, area));

    const RECT inverted{9, 9, 1, 1};
    result = RECT{1, 1, 2, 2};
    EXPECT_FALSE(UnionRect(&result, &farEmpty, &inverted));
    EXPECT_TRUE(Same(result, (RECT{0, 0, 0, 0})));
    EXPECT_FALSE(UnionRect(nullptr, &area, &area));
}

TEST(Rect, UnionIntoOneOfItsSources) {
    RECT first{10, 10, 20, 20};
    const RECT second{15, 5, 40, 12};
    EXPECT_TRUE(UnionRect(&first, &first, &second));
    EXPECT_TRUE(Same(first, (RECT{10, 5, 40, 20})));
    RECT third{0, 30, 5, 35};
    EXPECT_TRUE(UnionRect(&third, &second, &third));
    EXPECT_TRUE(Same(third, (RECT{0, 5, 40, 35})));
}

} // namespace
