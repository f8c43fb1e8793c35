// CDirDialog: the folder browser of the setup type and custom pages, over
// the shell's SHBrowseForFolderA. Its texts are narrow, in the ANSI code
// page. Run opens the browser on the initial folder with the caption given,
// asks the selection check about every folder the user selects (which
// enables or disables OK), and leaves the chosen folder's path in Path().
#pragma once

#include "platform/ShlObj.h"

#include <cstdint>
#include <string>

class CDirDialog {
public:
    // Every text empty, image index 0, no status line.
    CDirDialog();
    virtual ~CDirDialog();
    CDirDialog(const CDirDialog&) = delete;
    CDirDialog& operator=(const CDirDialog&) = delete;

    // The selection check: path is the newly selected folder (empty when it
    // has none); status, shown when the status line is on, may be filled.
    // Whether OK may be pressed; this one always allows it.
    virtual bool CheckSelection(const char* path, std::string* status);

    void SetCaption(const char* caption) { caption_ = caption ? caption : ""; }
    void SetInitialFolder(const char* folder) { initialFolder_ = folder ? folder : ""; }
    void SetRoot(const char* root) { root_ = root ? root : ""; }
    void SetInstruction(const char* text) { instruction_ = text ? text : ""; }
    void SetStatusLine(bool on) { statusLine_ = on; }

    // Runs the browser (owner may be null); true when the user chose a
    // folder whose path fits Path()'s buffer.
    bool Run(HWND owner);
    const char* Path() const { return path_; }
    std::int32_t ImageIndex() const { return image_; }

private:
    static constexpr UINT kFlags =
        BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;

    static int BrowseCallback(HWND hwnd, UINT message, LPARAM lParam, LPARAM data);
    void OnInitialized(HWND hwnd);
    void OnSelectionChanged(HWND hwnd, LPCITEMIDLIST item);
    // The initial folder without trailing white space and one trailing "\".
    void TrimInitialFolder();
    bool Browse(HWND owner, IMalloc* malloc, LPITEMIDLIST root);

    std::string caption_;
    char path_[MAX_PATH] = {};
    std::string root_;
    std::string initialFolder_;
    std::string instruction_;
    std::int32_t image_ = 0;
    bool statusLine_ = false;
};
