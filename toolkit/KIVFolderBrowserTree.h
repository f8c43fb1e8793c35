// KIVFolderBrowserTree: the folder browser's tree of the machine's folders,
// a list box whose lines are tree lines (KIVFolderBrowserLine). The top
// level is the drives (C: and the other letters of the machine, Z: last) or
// one root folder; a branch lists its sub-folders when it first opens.
//
// Keys: Up, Down, Home, End and the page keys move as in any list; Right and
// "+" open the selected branch (Right on an open one goes to its first
// folder); Left and "-" close it (Left on a closed one goes to its parent).
// A double click opens or closes a branch.
#pragma once

#include "toolkit/KIVFolderBrowserLine.h"
#include "toolkit/controls/KIVListBoxCtrl.h"

class KIVFolderBrowserTree : public KIVListBoxCtrl {
public:
    KIVFolderBrowserTree(KIVDialog* dialog, LONG id, const RECT& rect, LONG fontId);

    // The top level: the folder root alone, or every drive when it is empty.
    void ShowRoots(const std::u16string& root);
    // The selected folder, or null.
    KIVFolderBrowserLine* Selected() const;
    std::u16string SelectedPath() const;
    // Opens the branches down to a folder's full path and selects the
    // deepest folder of it in the tree; true when that is the folder itself.
    bool SelectPath(const std::u16string& path);
    // Opens or closes the branch of a line; the selection stays on its line.
    void OpenBranch(KIVFolderBrowserLine* line);
    void CloseBranch(KIVFolderBrowserLine* line);
    // Lists the selected branch again and selects its sub-folder name.
    bool RefreshAndSelectChild(const std::u16string& name);

    bool OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    bool OnChar(UINT ch, UINT repeat, UINT flags) override;
    bool OnDoubleClick(POINT point, UINT flags) override;

private:
    // The lines of the open branches again, and the selection on line.
    void Rebuild(KIVFolderBrowserLine* select);
    void AddVisible(KIVFolderBrowserLine* line);
    int IndexOf(const KIVFolderBrowserLine* line) const;
    bool OpenOrEnter();
    bool CloseOrLeave();

    std::vector<std::unique_ptr<KIVFolderBrowserLine>> roots_;
};
