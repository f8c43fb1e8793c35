// The margins and the window place that a dialog's layout record gives.
#include "toolkit/KIVDialogGeometry.h"

#include <gtest/gtest.h>

namespace {

const RECT kWorkArea{0, 0, 1024, 738};
const RECT kFullScreen{0, 0, 1024, 738};

POINT Place(LONG x, LONG y, LONG width, LONG height, LONG flags, const RECT* parent = nullptr) {
    return KIVPlaceDialog(x, y, width, height, flags, parent, kWorkArea, kFullScreen);
}

} // namespace

TEST(KIVDialogGeometry, DefaultMarginsFollowTheTwoFlags) {
    LONG left = 0, top = 0;
    KIVDialogMargins(-1, -1, 0x1, &left, &top);
    EXPECT_EQ(left, 12);
    EXPECT_EQ(top, 6);
    KIVDialogMargins(-1, -1, 0x3, &left, &top);
    EXPECT_EQ(top, 20);
    KIVDialogMargins(-1, -1, 0x2, &left, &top);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(top, 14);
    KIVDialogMargins(3, 0, 0x3, &left, &top);
    EXPECT_EQ(left, 3);
    EXPECT_EQ(top, 0);
}

TEST(KIVDialogGeometry, ACentredDialogIsPlacedInTheMiddleOfTheFullScreenArea) {
    const POINT at = Place(5, 5, 400, 300, 0x2000);
    EXPECT_EQ(at.x, 312);
    EXPECT_EQ(at.y, 219);
    const POINT asGiven = Place(5, 6, 400, 300, 0);
    EXPECT_EQ(asGiven.x, 5);
    EXPECT_EQ(asGiven.y, 6);
    // Beside a parent without a parent: centred as well.
    EXPECT_EQ(Place(5, 5, 400, 300, 0x4000).x, 312);
}

TEST(KIVDialogGeometry, ADialogBesideItsParentIsKeptInsideTheWorkArea) {
    const RECT parent{100, 100, 300, 200};
    const POINT inside = Place(20, 30, 200, 100, 0x4000, &parent);
    EXPECT_EQ(inside.x, 120);
    EXPECT_EQ(inside.y, 130);

    // Past the right and bottom edges: to the parent's other side.
    const RECT nearEdge{900, 650, 1000, 700};
    const POINT flipped = Place(20, 30, 200, 100, 0x4000, &nearEdge);
    EXPECT_EQ(flipped.x, 900 - 20 - 200);
    EXPECT_EQ(flipped.y, 650 - 30 - 100);

    // Before the left edge (here after the flip): centred in the area.
    const RECT wide{0, 0, 1000, 100};
    const POINT centred = Place(900, 0, 300, 100, 0x4000, &wide);
    EXPECT_EQ(centred.x, (1024 - 300) / 2);
}
