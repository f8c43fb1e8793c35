// KIVFolderBrowser: the toolkit's folder browser, the one SHBrowseForFolderA
// runs (the application registers it when it starts). A dialog without a
// stored layout: the instruction, an optional status line (BIF_STATUSTEXT),
// the tree of the machine's folders, a field holding the selected folder's
// path (BIF_EDITBOX; a path typed there is chosen by OK even when the
// folder does not exist yet), a New folder button (BIF_NEWDIALOGSTYLE), OK
// and Cancel. Tab moves between the parts, Enter is OK, Escape Cancel.
//
// The caller's callback gets BFFM_INITIALIZED once the browser is made and
// BFFM_SELCHANGED with the item list of each new selection; its window
// answers BFFM_SETSTATUSTEXTA, BFFM_ENABLEOK and BFFM_SETSELECTIONA.
//
// Captions: texts 0 (OK) and 1 (Cancel) of the message box, 160 (New
// folder), 161 (the name a new folder gets) and 162 (the window's title);
// English where the application has none.
//
// [SECTION] Life and messages   KIVFolderBrowser.cpp
// [SECTION] Controls            KIVFolderBrowserLayout.cpp
// [SECTION] New folders         KIVFolderBrowserNewFolder.cpp
#pragma once

#include "platform/ui/FolderBrowserHook.h"
#include "toolkit/KIVDialog.h"

class KIVFolderBrowserTree;

class KIVFolderBrowser : public KIVDialog {
public:
    static constexpr LONG kInstructionId = 100;
    static constexpr LONG kStatusId = 101;
    static constexpr LONG kTreeId = 102;
    static constexpr LONG kPathId = 103;
    static constexpr LONG kNewFolderId = 104;
    static constexpr int kNewFolderCaptionText = 160;
    static constexpr int kNewFolderNameText = 161;
    static constexpr int kTitleText = 162;

    explicit KIVFolderBrowser(const FolderBrowseRequest& request);

    // The browser SHBrowseForFolderA runs: modal, owned by the request's
    // window. False without an application object.
    static bool Browse(const FolderBrowseRequest& request, std::u16string* chosen);

    // Runs the browser modally; true with the chosen folder's path.
    bool Run(std::u16string* chosen);
    const std::u16string& Chosen() const { return chosen_; }

    // [SECTION] What the callback's messages ask for
    void SetStatusText(const char16_t* text);
    void EnableOK(bool enable);
    bool IsOKEnabled() const { return okEnabled_; }
    // Opens the branches down to the folder and selects it.
    bool SelectFolder(const std::u16string& path);

    // Makes "New folder" (or "New folder (2)", ...) in the selected folder
    // and selects it; false when there is no selection or it cannot be made.
    bool MakeNewFolder();

    KIVFolderBrowserTree* Tree() const;

    void OnInitControls() override;
    void OnOK() override;
    void OnControlNotify(int kind, int id, int value, bool flag) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // [SECTION] Controls
    // The top of what follows the labels.
    int AddLabels(int width);
    void AddTreeAndField(int top, int width, int height);
    void AddButtons(int width, int height);
    KIVString Text(int id, const char16_t* english) const;
    bool Has(UINT flag) const { return (request_.info->ulFlags & flag) != 0; }
    // The folder OK chooses: the typed path (a name without a drive is
    // taken inside the selected folder), else the selection.
    std::u16string FolderToChoose() const;
    std::u16string NewFolderName() const;
    // Tells the callback of a selection other than the last one told.
    void SelectionChanged();
    int Callback(UINT message, LPARAM lParam) const;

    FolderBrowseRequest request_;
    std::u16string chosen_;
    std::u16string told_; // the selection the callback last heard of
    bool okEnabled_ = true;
};
