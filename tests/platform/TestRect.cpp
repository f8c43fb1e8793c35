#include "platform/WinUser.h"

#include <gtest/gtest.h>

namespace {

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// An empty source (here far away) must not widen the union, and the result
// may be written over one of the sources.
TEST(Rect, UnionLeavesOutEmptySourcesAndMayOverwriteOne) {
    RECT area{10, 10, 20, 20};
    const RECT farLine{500, 500, 900, 500};
    const RECT inverted{9, 9, 1, 1};
    RECT result{1, 1, 2, 2};
    EXPECT_FALSE(UnionRect(&result, &farLine, &inverted));
    EXPECT_TRUE(Same(result, (RECT{0, 0, 0, 0})));
    EXPECT_TRUE(UnionRect(&area, &farLine, &area));
    EXPECT_TRUE(Same(area, (RECT{10, 10, 20, 20})));
    const RECT other{15, 5, 40, 12};
    EXPECT_TRUE(UnionRect(&area, &area, &other));
    EXPECT_TRUE(Same(area, (RECT{10, 5, 40, 20})));
}

} // namespace
