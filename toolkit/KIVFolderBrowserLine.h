// KIVFolderBrowserLine: one folder of the folder browser's tree, drawn as a
// list line indented by its depth, with a box showing "+" while its branch
// is closed and "-" while open, none when it holds no folders.
// The line owns its sub-folders' lines; they are listed the first time the
// branch opens.
#pragma once

#include "toolkit/controls/KIVListBoxLine.h"

#include <memory>
#include <string>
#include <vector>

class KIVFolderBrowserLine : public KIVListBoxLine {
public:
    static constexpr int kIndent = 16; // pixels per level of depth

    // path: the folder's full Windows path ("C:\" for a drive); name: what
    // the line shows.
    KIVFolderBrowserLine(KIVListBoxCtrl* owner, KIVFolderBrowserLine* parent,
                         const std::u16string& path, const std::u16string& name);

    const std::u16string& Path() const { return path_; }
    KIVFolderBrowserLine* Parent() const { return parent_; }
    int Depth() const { return depth_; }
    bool IsOpen() const { return open_; }
    // Whether the branch holds folders: looked for when the line is made
    // (up to the first one), known for sure once it was listed.
    bool MayHaveChildren() const { return listed_ ? !children_.empty() : hasFolders_; }
    const std::vector<std::unique_ptr<KIVFolderBrowserLine>>& Children() const {
        return children_;
    }

    // Lists the sub-folders (once) and opens the branch; false when it holds none.
    bool Open();
    void Close() { open_ = false; }
    // Lists the sub-folders again on the next opening (a folder was added).
    void Forget();
    // The sub-folder whose name equals name without regard to case, or null.
    KIVFolderBrowserLine* Child(const std::u16string& name);

    void Draw(const KIVDrawBuffer& buffer, const RECT& rect, const KIVListLineLook& look) override;
    int Width() const override;

private:
    void List();
    void DrawMark(const KIVDrawBuffer& buffer, int left, const RECT& rect, DWORD colour) const;

    KIVFolderBrowserLine* parent_ = nullptr;
    std::u16string path_;
    int depth_ = 0;
    bool open_ = false;
    bool listed_ = false;
    bool hasFolders_ = false;
    std::vector<std::unique_ptr<KIVFolderBrowserLine>> children_;
};
