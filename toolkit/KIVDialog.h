// KIVDialog: the toolkit's dialog. Its window comes from an empty in-memory
// template; its controls are KIVControl objects made from the layout record
// of the dialog file (or added in code), drawn into a 32-bit off-screen
// buffer of the client area and fed with keys and mouse events here.
//
// Calling order of the operations a subclass overrides: OnInitControls
// (after the layout is applied), StartFocus, OnDialogTimer, OnKeyDown,
// EndDialog, OnOK, OnClose, OnCancel, OnIdleWork.
//
// [SECTION] Life and windows   KIVDialog.cpp, KIVDialogWindow.cpp
// [SECTION] Initialisation     KIVDialogInit.cpp
// [SECTION] Drawing            KIVDialogPaint.cpp
// [SECTION] Input and timers   KIVDialogInput.cpp, KIVDialogMnemonics.cpp
#pragma once

#include "toolkit/KIVControl.h"
#include "toolkit/KIVInputPosition.h"
#include "toolkit/KIVWnd.h"
#include "toolkit/drawing/KIVLook.h"
#include "toolkit/resources/KIVDialogFile.h"

#include <memory>
#include <string>
#include <vector>

class KIVTextButtonCtrl;

class KIVDialog : public KIVWnd, public KIVInputPosition {
public:
    static constexpr UINT kTimerBase = 60000;
    static constexpr int kTooltipDelayTimer = 0;
    static constexpr int kTooltipEndTimer = 1;
    static constexpr int kIdleTimer = 2;
    static constexpr UINT kIdlePeriod = 10;     // milliseconds
    static constexpr DWORD kIdleBudget = 5;     // milliseconds of OnIdleWork a tick
    static constexpr UINT kTooltipDelay = 500;  // milliseconds
    static constexpr UINT kTooltipShown = 5000; // milliseconds
    static constexpr DWORD kBackground = KIVLook::kPaper;
    // Layout flags.
    static constexpr LONG kDefaultMargins = 0x1;
    static constexpr LONG kTallTopMargin = 0x2;
    // Decorations: a frame around each of the command buttons (identifiers
    // 1, 2, 9, 10, 11, 12), etched, or drawn with bitmap 55 with the second
    // flag.
    static constexpr LONG kButtonFrames = 0x100;
    static constexpr LONG kPictureFrames = 0x200;
    static constexpr int kFramePicture = 55;
    static constexpr int kFrameCorner = 4; // corner pixels of bitmap 55
    static constexpr int kFrameGap = 3;    // between a button and its frame
    static constexpr LONG kCentre = 0x2000;
    static constexpr LONG kBesideParent = 0x4000;
    static constexpr LONG kHidden = 0x8000;
    // Results.
    enum Result { kOK = 1, kCancel = 2, kClose = 8, kBack = 13, kNext = 14 };

    // dialogId -1: no stored layout. alternativeFile: when given, the layout
    // is item 0 of that file instead of the application's dialog file.
    KIVDialog(CWnd* parent, LONG dialogId, const char16_t* alternativeFile = nullptr);
    ~KIVDialog() override;

    // [SECTION] Running
    // Runs the dialog modally; the result given to EndDialog, -1 when the
    // window could not be made.
    INT_PTR DoModal(DWORD style, DWORD exStyle);
    // Makes the dialog modeless; whether the window exists.
    bool Create(DWORD style, DWORD exStyle);
    virtual void EndDialog(int result);
    virtual void OnOK() { EndDialog(kOK); }
    void OnClose() override { EndDialog(kClose); }
    virtual void OnCancel() { EndDialog(kCancel); }
    // Called again and again while the modal loop is idle (within a budget);
    // true when there is more work.
    virtual bool OnIdleWork() { return false; }
    virtual void OnInitControls() {}
    // The control that takes the focus when the dialog opens, unless its
    // initialisation gave the focus already: by default the default button;
    // 0 for none.
    virtual LONG StartFocus() const;
    virtual void OnDialogTimer(int n);
    // A control's notification; kind 1 (clicked) goes to the commands, and
    // the identifiers 1 and 2 end in OnOK and OnCancel when none took it.
    // flag: set when the control sent it, clear when the dialog's own code
    // calls the handler as if a control had.
    virtual void OnControlNotify(int kind, int id, int value, bool flag);
    // The second notification entry: events of a control that are not
    // commands (KIVControl::NotifyEvent). The base has no use for them.
    virtual void OnControlEvent(int /*kind*/, int /*id*/, int /*value*/) {}
    bool IsModal() const { return modal_; }
    bool IsInitialised() const { return initialised_; }
    bool HasEnded() const { return ended_; }
    LONG DialogId() const { return dialogId_; }
    // The dialog windows running modally, the latest last.
    static const std::vector<HWND>& ModalStack();

    // [SECTION] Controls and focus
    KIVControl* AddControl(std::unique_ptr<KIVControl> control);
    // Puts a control in the place of one of the dialog's (a placeholder of
    // the layout): the same place in the list and the focus order, the same
    // container. The control replaced is destroyed. Null when old is not
    // this dialog's.
    KIVControl* ReplaceControl(KIVControl* old, std::unique_ptr<KIVControl> replacement);
    KIVControl* GetControl(LONG id) const;
    bool HasControl(LONG id) const { return GetControl(id) != nullptr; }
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    KIVControl* ControlAt(int index) const { return controls_[index].get(); }
    // The index of a control in the list, -1 when it is not this dialog's.
    int IndexOf(const KIVControl* control) const;
    // The control that the left button was pressed on, while it is down:
    // it gets every move and the release, wherever the mouse goes.
    KIVControl* PressedControl() const { return pressedControl_; }
    void SetFocusControl(LONG id);
    void FocusNext();
    void FocusPrevious();
    KIVControl* FocusedControl() const;
    // The push button marked as the default (KIVTextButtonCtrl::SetDefault),
    // which Enter presses while no push button has the focus; or null.
    KIVTextButtonCtrl* DefaultButton() const;
    // Marks the push button id as the default and unmarks the others.
    void SetDefaultButton(LONG id);
    // The push button that has the focus, or null: Enter presses it, and it
    // is drawn as the default while it has the focus.
    KIVTextButtonCtrl* FocusedPushButton() const;
    KIVDialog* GetFocusDialog();
    // The toolkit dialog this one is a child window of, or null.
    KIVDialog* ParentDialog() const;
    // A mnemonic typed (Alt and the key, or the bare key where the focused
    // control takes no characters): the first visible, enabled control
    // whose mnemonic it is and that can act does so. False when none did.
    bool HandleMnemonic(char16_t key);
    bool GetInputPosition(POINT* clientPoint, int* lineHeight) const override;

    // [SECTION] Layout
    void SetTitle(const char16_t* title);
    const KIVString& Title() const { return title_; }
    // A window that is not a page of its own draws the toolkit's frame and
    // its title in a band across the top (KIVWindowFrame); its content
    // begins at ContentTop().
    void SetWindowFrame(bool framed);
    bool HasWindowFrame() const { return framed_; }
    int ContentTop() const;
    LONG LeftMargin() const { return leftMargin_; }
    LONG TopMargin() const { return topMargin_; }
    LONG LayoutFlags() const { return layoutFlags_; }

    // [SECTION] Drawing
    // Adds to the invalid rectangle. Off the window's thread the rectangle is
    // drawn into the buffer at once and left as the worker's drawing request
    // for the user-interface thread to show; when there is no toolkit worker
    // or its request holds another dialog, the window's next paint shows it.
    void Invalidate(const RECT& rect);
    const RECT& InvalidRect() const { return invalid_; }
    // Paints the background of the dialog over rect.
    void DrawBackground(const KIVDrawBuffer& buffer, const RECT& rect) const;
    // Copies a rectangle of the buffer onto the window (the user-interface
    // thread's half of a worker's drawing request).
    void ShowBuffer(const RECT& rect);
    int BufferWidth() const { return bufferWidth_; }
    int BufferHeight() const { return bufferHeight_; }
    DWORD PixelAt(int x, int y) const;
    // Moves and sizes the window (a dialog that sizes itself to its content)
    // and gives the off-screen buffer the new client size.
    void PlaceWindowAt(int x, int y, int width, int height);

    // [SECTION] Timers
    void StartTimer(int n, UINT period);
    void StopTimer(int n);

protected:
    void OnPaint() override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnLButtonDown(UINT nFlags, POINT point) override;
    void OnLButtonUp(UINT nFlags, POINT point) override;
    void OnMouseMove(UINT nFlags, POINT point) override;
    void OnLButtonDblClk(UINT nFlags, POINT point) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, POINT pt) override;
    void OnCaptureChanged(CWnd* pWnd) override;

private:
    friend INT_PTR KIVDialogProcedure(HWND, UINT, WPARAM, LPARAM);
    bool MakeWindow(DWORD style, DWORD exStyle, HWND owner);
    HWND ModalOwner() const;
    void RunModal(DWORD style);
    bool OnInitDialog();
    bool ApplyLayout();
    bool ReadLayout(KIVDialogLayout* layout) const;
    void PlaceWindow(const KIVDialogLayout& layout);
    void AllocateBuffer();
    void CreateControls(const KIVDialogLayout& layout);
    void DrawInvalid(const RECT& rect);
    void DrawDecorations(const KIVDrawBuffer& buffer) const;
    void DrawWindowFrame(const KIVDrawBuffer& buffer) const;
    void ReadTitle();
    void CopyToDevice(HDC dc, const RECT& rect) const;
    KIVDrawBuffer Buffer(const RECT& clip);
    void RunIdleProcessing();
    void ShowTooltip();
    void HideTooltip();
    void DropFocus();
    void TakeStartFocus();
    // Enter: the focused push button, else the default one while it can be
    // pressed, else OnOK when the dialog has no default button.
    void PressEnter();
    void RedrawDefaultButton() const;
    void TrackMouse(KIVControl* control);
    // The control under a press, which keeps the mouse until the release.
    KIVControl* Press(POINT point);
    KIVControl* ControlAtPoint(POINT point) const;
    int FocusIndex() const { return focus_; }
    void MoveFocus(int step);

    CWnd* parent_ = nullptr;
    std::vector<std::unique_ptr<KIVControl>> controls_;
    LONG dialogId_ = -1;
    std::u16string alternativeFile_;
    int focus_ = -1;
    LONG leftMargin_ = 0;
    LONG topMargin_ = 0;
    LONG layoutFlags_ = 0;
    RECT windowRect_{};
    KIVString title_;
    bool framed_ = false;
    RECT invalid_{};
    std::vector<DWORD> buffer_;
    int bufferWidth_ = 0;
    int bufferHeight_ = 0;
    mutable CRITICAL_SECTION drawingLock_;
    bool modal_ = false;
    bool initialised_ = false;
    bool ended_ = false;
    int endResult_ = 0;
    LONG idleCount_ = 0;
    KIVControl* mouseControl_ = nullptr;
    KIVControl* pressedControl_ = nullptr;
};
