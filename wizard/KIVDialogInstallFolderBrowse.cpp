#include "wizard/CDirDialog.h"
#include "wizard/KIVDialogInstallFolder.h"

namespace {

// Whether the folder exists: its "\*" pattern matches some entry.
bool FolderExists(const KIVString& folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE find = ::FindFirstFileW(folder + u"\\*", &found);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(find);
    return true;
}

} // namespace

// The browser starts at the installation folder, or at the default base
// folder while the typed folder does not exist yet; a folder chosen there
// becomes the installation folder and the field's text.
void KIVDialogInstallFolder::BrowseForFolder() {
    ReadFolder();
    KIVInstallApp& app = App();
    const KIVString& folder = app.state.variables.installDst;
    const KIVString start = FolderExists(folder) ? folder : app.driver.defaultBaseFolder;
    char startText[MAX_PATH] = {};
    start.ToNarrow(startText, sizeof startText);
    CDirDialog browser;
    browser.SetCaption("Select folder...");
    browser.SetInitialFolder(startText);
    if (!browser.Run(nullptr))
        return;
    const KIVString chosen(browser.Path());
    app.state.variables.installDst = chosen;
    SetControlText(kFolder, chosen);
}
