// The gallery's dialog: the layout of the gallery file with every control,
// filled here with what a layout cannot give (the agreement text, list
// lines, the column list over its placeholder, the progress). The buttons of
// the bottom row open a message box of a button set each and show the
// answer; Close, Escape or the close box end the program.
#pragma once

#include "toolkit/KIVDialog.h"
#include "toolkit/KIVString.h"

class GalleryDialog : public KIVDialog {
public:
    static constexpr LONG kAnswer = 101;
    static constexpr LONG kFirstBoxButton = 700;
    static constexpr LONG kLastBoxButton = 707;

    // The layout is item 0 of layoutFile.
    explicit GalleryDialog(const KIVString& layoutFile);

    void OnInitControls() override;
    void OnControlNotify(int kind, int id, int value, bool flag) override;
    void EndDialog(int result) override;

private:
    void FillLists();
    void FillColumnList();
    void ShowMessageBox(LONG button);
};
