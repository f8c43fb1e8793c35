// Pictures stretched over rectangles of any size by repeating their edges
// and middle (nine slices).
#include "toolkit/drawing/KIVPainter.h"

#include "toolkit/KIVApplication.h"

#include <algorithm>

namespace {

// The source part [from, to) of one axis of the frame repeated over the
// target part [start, end).
struct Slice {
    int from, to, start, end;
};

void Slices(int frameSize, int corner, int start, int end, Slice out[3]) {
    const int c = std::max(0, std::min({corner, frameSize / 2, (end - start) / 2}));
    out[0] = {0, c, start, start + c};
    out[1] = {c, frameSize - c, start + c, end - c};
    out[2] = {frameSize - c, frameSize, end - c, end};
}

void DrawSlice(const KIVDrawBuffer& buffer, const KIVBitmapFrame& frame, const Slice& column,
               const Slice& row, float factor) {
    const int stepX = column.to - column.from, stepY = row.to - row.from;
    if (stepX <= 0 || stepY <= 0)
        return;
    for (int x = column.start; x < column.end; x += stepX)
        for (int y = row.start; y < row.end; y += stepY) {
            KIVDrawBuffer piece = buffer;
            const RECT tile{x, y, std::min(x + stepX, column.end), std::min(y + stepY, row.end)};
            if (::IntersectRect(&piece.clip, &buffer.clip, &tile))
                KIVPainter::DrawFrame(piece, frame, x - column.from, y - row.from, factor);
        }
}

} // namespace

void KIVPainter::DrawSlicedFrame(const KIVDrawBuffer& buffer, const KIVBitmapFrame& frame,
                                 const RECT& rect, int corner, float factor) {
    Slice columns[3], rows[3];
    Slices(frame.width, corner, rect.left, rect.right, columns);
    Slices(frame.height, corner, rect.top, rect.bottom, rows);
    for (const Slice& row : rows)
        for (const Slice& column : columns)
            DrawSlice(buffer, frame, column, row, factor);
}

bool KIVPainter::DrawSlicedPicture(const KIVDrawBuffer& buffer, int id, int frame, const RECT& rect,
                                   int corner, float factor) {
    KIVApplication* app = KIVApplication::Get();
    KIVBitmapFrame picture;
    if (!app || !app->GetBitmap(id, frame, &picture))
        return false;
    DrawSlicedFrame(buffer, picture, rect, corner, factor);
    return true;
}
