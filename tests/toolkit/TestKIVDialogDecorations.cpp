// The frames a dialog draws around its command buttons by its layout flags:
// etched, or bitmap 55 stretched by its nine parts.
#include "DialogFixture.h"
#include "toolkit/drawing/KIVLook.h"
#include "toolkit/drawing/KIVPainter.h"

using namespace dialog_test;

namespace {

// What bitmap 55's pixel (x, y) becomes on the dialog's paper.
DWORD PictureOnPaper(int x, int y) {
    KIVBitmapFrame frame;
    EXPECT_TRUE(KIVApplication::Get()->GetBitmap(KIVDialog::kFramePicture, 0, &frame));
    DWORD pixel = KIVLook::kPaper;
    KIVDrawBuffer one{&pixel, 1, 1, 1, RECT{0, 0, 1, 1}};
    KIVPainter::DrawFrame(one, frame, -x, -y);
    return pixel;
}

} // namespace

TEST_F(DialogTest, CommandButtonsGetAnEtchedFrameAndOtherControlsNone) {
    KIVDialog dialog(nullptr, 600);
    ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
    Pump();
    EXPECT_EQ(dialog.PixelAt(97, 57), KIVLook::kOutline);  // control 1's frame, top left
    EXPECT_EQ(dialog.PixelAt(162, 82), KIVLook::kOutline); // bottom right
    EXPECT_EQ(dialog.PixelAt(98, 70), KIVLook::kShadow);   // sunken: shade on the left
    EXPECT_EQ(dialog.PixelAt(17, 57), KIVLook::kPaper);    // control 3 is no command
    dialog.GetControl(1)->Show(false);
    dialog.Invalidate(RECT{0, 0, 200, 100});
    Pump();
    EXPECT_EQ(dialog.PixelAt(97, 57), KIVLook::kPaper);
}

TEST_F(DialogTest, ThePictureFlagStretchesBitmap55AroundTheButton) {
    KIVDialog dialog(nullptr, 601);
    ASSERT_TRUE(dialog.Create(WS_POPUP | WS_VISIBLE, 0));
    Pump();
    // Frame (97, 57)-(163, 83): corners as drawn, edges and middle repeated.
    EXPECT_EQ(dialog.PixelAt(97, 57), PictureOnPaper(0, 0));
    EXPECT_EQ(dialog.PixelAt(162, 82), PictureOnPaper(8, 8));
    EXPECT_EQ(dialog.PixelAt(130, 57), PictureOnPaper(4, 0));
    EXPECT_EQ(dialog.PixelAt(97, 70), PictureOnPaper(0, 4));
}
