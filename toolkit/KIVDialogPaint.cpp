// A dialog's drawing: the off-screen buffer of the client area, the invalid
// rectangle, and the copy of the buffer onto the window.
#include "toolkit/KIVDialog.h"

#include "toolkit/KIVApplication.h"
#include "toolkit/drawing/KIVPainter.h"
#include "toolkit/drawing/KIVWindowFrame.h"

#include "toolkit/KIVLock.h"
#include "toolkit/KIVPixelCopy.h"
#include "toolkit/KIVThread.h"

#include <algorithm>
#include <string>

// The buffer is made once, and again only when the window is sized anew.
void KIVDialog::AllocateBuffer() {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    if (!buffer_.empty() && client.right == bufferWidth_ && client.bottom == bufferHeight_)
        return;
    KIVLock lock(&drawingLock_);
    bufferWidth_ = client.right > 0 ? client.right : 0;
    bufferHeight_ = client.bottom > 0 ? client.bottom : 0;
    buffer_.assign(static_cast<std::size_t>(bufferWidth_) * bufferHeight_, kBackground);
}

void KIVDialog::PlaceWindowAt(int x, int y, int width, int height) {
    ::SetWindowPos(m_hWnd, nullptr, x, y, width, height, SWP_NOZORDER);
    ::GetWindowRect(m_hWnd, &windowRect_);
    AllocateBuffer();
    Invalidate(RECT{0, 0, bufferWidth_, bufferHeight_});
}

KIVDrawBuffer KIVDialog::Buffer(const RECT& clip) {
    return KIVDrawBuffer{buffer_.data(), bufferWidth_, bufferHeight_, bufferWidth_, clip};
}

DWORD KIVDialog::PixelAt(int x, int y) const {
    KIVLock lock(&drawingLock_);
    if (x < 0 || y < 0 || x >= bufferWidth_ || y >= bufferHeight_)
        return 0;
    return buffer_[static_cast<std::size_t>(y) * bufferWidth_ + x];
}

void KIVDialog::DrawBackground(const KIVDrawBuffer& buffer, const RECT& rect) const {
    KIVPainter::FillRect(buffer, rect, kBackground);
}

// Draws the part of the client area in rect: the background, then each
// control that meets it (erasing the hidden ones that wait for it).
void KIVDialog::DrawInvalid(const RECT& rect) {
    const KIVDrawBuffer buffer = Buffer(rect);
    DrawBackground(buffer, rect);
    DrawDecorations(buffer);
    if (framed_ && m_hWnd && OnWindowThread())
        ReadTitle();
    DrawWindowFrame(buffer);
    for (const auto& control : controls_) {
        if (!control->Intersects(rect))
            continue;
        if (control->GetDrawState() == KIVControl::kWaitsErase)
            control->Erase(buffer);
        else if (control->IsVisible())
            control->Draw(buffer);
    }
}

// The frames of the command buttons that are shown, by the layout flags.
void KIVDialog::DrawDecorations(const KIVDrawBuffer& buffer) const {
    if (!(layoutFlags_ & kButtonFrames))
        return;
    KIVBitmapFrame picture;
    const bool pictured = (layoutFlags_ & kPictureFrames) && KIVApplication::Get() &&
                          KIVApplication::Get()->GetBitmap(kFramePicture, 0, &picture);
    for (LONG id : {1, 2, 9, 10, 11, 12}) {
        const KIVControl* control = GetControl(id);
        if (!control || !control->IsVisible())
            continue;
        RECT frame = control->GetRect();
        ::InflateRect(&frame, kFrameGap, kFrameGap);
        if (pictured)
            KIVPainter::DrawSlicedFrame(buffer, picture, frame, kFrameCorner);
        else
            KIVPainter::Bevel(buffer, frame, false);
    }
}

void KIVDialog::SetWindowFrame(bool framed) {
    framed_ = framed;
    Invalidate(RECT{0, 0, bufferWidth_, bufferHeight_});
}

int KIVDialog::ContentTop() const {
    return framed_ ? KIVWindowFrame::kContentTop : 0;
}

// The window's text as anyone may have set it (the folder browser's caller
// does, from its callback), read on the window's own thread; a worker's
// drawing uses the title last read.
void KIVDialog::ReadTitle() {
    std::u16string text(static_cast<std::size_t>(::GetWindowTextLengthW(m_hWnd)) + 1, u'\0');
    const int length = ::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    title_ = KIVString(text.c_str());
}

// The title in the bold font 1, or font 0 when the resources have no font 1.
void KIVDialog::DrawWindowFrame(const KIVDrawBuffer& buffer) const {
    if (!framed_)
        return;
    KIVApplication* app = KIVApplication::Get();
    const KIVFont* font = app ? app->GetFont(1) : nullptr;
    if (!font && app)
        font = app->GetFont(0);
    KIVWindowFrame::Draw(buffer, bufferWidth_, bufferHeight_, title_, font);
}

void KIVDialog::CopyToDevice(HDC dc, const RECT& rect) const {
    KIVCopyPixels(dc, buffer_.data(), bufferWidth_, bufferHeight_, rect);
}

void KIVDialog::Invalidate(const RECT& rect) {
    RECT client{0, 0, bufferWidth_, bufferHeight_};
    RECT part{};
    if (!::IntersectRect(&part, &rect, &client))
        return;
    if (OnWindowThread()) {
        KIVLock lock(&drawingLock_);
        ::UnionRect(&invalid_, &invalid_, &part);
        if (m_hWnd)
            ::InvalidateRect(m_hWnd, &part, FALSE);
        return;
    }
    {
        KIVLock lock(&drawingLock_);
        DrawInvalid(part);
    }
    // The request is left outside the dialog's lock: the user-interface
    // thread takes the worker's lock first and the dialog's in its flush.
    // A thread that is no toolkit worker has no request to leave: the
    // window's next paint shows what it drew.
    KIVThread* worker = KIVThread::Current();
    if (!worker || !worker->RequestDrawing(this, part))
        ::InvalidateRect(m_hWnd, &part, FALSE);
}

void KIVDialog::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    {
        KIVLock lock(&drawingLock_);
        const RECT client{0, 0, bufferWidth_, bufferHeight_};
        ::UnionRect(&invalid_, &invalid_, &paint.rcPaint);
        ::IntersectRect(&invalid_, &invalid_, &client);
        if (!::IsRectEmpty(&invalid_)) {
            DrawInvalid(invalid_);
            CopyToDevice(dc, invalid_);
        }
        invalid_ = RECT{};
    }
    ::EndPaint(m_hWnd, &paint);
}

void KIVDialog::ShowBuffer(const RECT& rect) {
    if (!m_hWnd)
        return;
    const HDC dc = ::GetDC(m_hWnd);
    {
        KIVLock lock(&drawingLock_);
        CopyToDevice(dc, rect);
    }
    ::ReleaseDC(m_hWnd, dc);
}
