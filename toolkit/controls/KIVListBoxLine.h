// KIVListBoxLine: one line of a list box. A line draws itself in the
// colours its list chooses, measures its width, and reacts to clicks and
// moves of the mouse; it may show a check box at its bottom left (pictures
// 72 frame, 73 face, 74 mark). Pages derive their own lines from it and
// override the drawing, the width or the click.
#pragma once

#include "toolkit/KIVString.h"
#include "toolkit/resources/KIVDrawBuffer.h"

class KIVListBoxCtrl;

// The colours and state a list gives a line to draw itself with.
struct KIVListLineLook {
    DWORD text = 0;
    DWORD background = 0;
    bool highlighted = false; // current, selected or under the mouse
    bool disabled = false;
};

class KIVListBoxLine {
public:
    static constexpr int kFramePicture = 72;
    static constexpr int kFacePicture = 73;
    static constexpr int kMarkPicture = 74;

    // Flags cleared; the height is the owner's default line height.
    KIVListBoxLine(KIVListBoxCtrl* owner, const char16_t* text, bool hasCheckBox);
    virtual ~KIVListBoxLine() = default;
    KIVListBoxLine(const KIVListBoxLine&) = delete;
    KIVListBoxLine& operator=(const KIVListBoxLine&) = delete;

    // Draws the line in rect (its rectangle from the owner).
    virtual void Draw(const KIVDrawBuffer& buffer, const RECT& rect, const KIVListLineLook& look);
    // The width of the line's content in pixels.
    virtual int Width() const;
    KIVListBoxCtrl* GetOwner() const { return owner_; }
    // A press at x (dialog client coordinates, as drawn): toggles the check
    // box when x falls on it.
    virtual void OnClick(int x);
    // Whether the list goes on with its own handling of the last click
    // (selecting the line): not when the click toggled the check box.
    virtual bool ContinueClick() const { return !(hasCheckBox_ && toggled_); }
    // The mouse moved to x over the line: tracks whether it is over the box.
    virtual void OnMouseMove(int x);
    // Tells the owner's dialog that a check box turned (kind 1, value 0).
    virtual void NotifyOwner();

    const KIVString& GetText() const { return text_; }
    void SetText(const char16_t* text) { text_ = text; }
    bool HasCheckBox() const { return hasCheckBox_; }
    bool IsChecked() const { return checked_; }
    // Sets the box and has the whole list painted again.
    void SetChecked(bool checked);
    // Flips the box, marks the line as toggled and tells the owner.
    void Toggle();
    bool IsHovered() const { return hover_; }
    void SetHover(bool hover) { hover_ = hover; }
    bool WasToggled() const { return toggled_; }
    int GetHeight() const { return height_; }
    void SetHeight(int height) { height_ = height; }

    // The check box of a line at rect: 2 pixels in from the left, centred
    // on the line as its text is.
    static RECT CheckBoxArea(const RECT& rect);
    // Whether x (as drawn) falls within the box's horizontal span.
    bool HitsCheckBox(int x) const;

protected:
    // For lines that handle their own clicks: whether the last one turned the box.
    void SetToggled(bool toggled) { toggled_ = toggled; }
    // Draws the check box in the area and returns the left edge of the text
    // that follows it.
    int DrawCheckBox(const KIVDrawBuffer& buffer, const RECT& rect, const KIVListLineLook& look);
    // Draws text left-aligned from x in rect, centred in the line's height.
    void DrawLineText(const KIVDrawBuffer& buffer, const char16_t* text, int x, int right,
                      const RECT& rect, DWORD colour) const;

private:
    KIVString text_;
    KIVListBoxCtrl* owner_ = nullptr;
    bool hasCheckBox_ = false;
    bool checked_ = false;
    bool hover_ = false;
    bool toggled_ = false;
    int height_ = 0;
};
