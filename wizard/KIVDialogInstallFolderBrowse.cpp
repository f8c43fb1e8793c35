#include "setup/SetupTexts.h"
#include "wizard/CDirDialog.h"
#include "wizard/KIVDialogInstallFolder.h"

#include <string>

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

// The browser's title in the language of the setup, as ANSI text; empty
// when the machine's code page cannot spell it, so that the browser keeps
// its own title rather than showing question marks.
std::string BrowseCaption() {
    const KIVString caption = SetupText(kTextBrowseCaption);
    char narrow[MAX_PATH] = {};
    if (!caption.ToNarrow(narrow, sizeof narrow) || !(KIVString(narrow) == caption))
        return std::string();
    return narrow;
}

} // namespace

// The browser starts at the installation folder, or at the default base
// folder while the typed folder does not exist yet; a folder chosen there
// becomes the installation folder and the field's text. Its title is the
// language's.
void KIVDialogInstallFolder::BrowseForFolder() {
    ReadFolder();
    KIVInstallApp& app = App();
    const KIVString& folder = app.state.variables.installDst;
    const KIVString start = FolderExists(folder) ? folder : app.driver.defaultBaseFolder;
    char startText[MAX_PATH] = {};
    start.ToNarrow(startText, sizeof startText);
    CDirDialog browser;
    browser.SetCaption(BrowseCaption().c_str());
    browser.SetInitialFolder(startText);
    if (!browser.Run(nullptr))
        return;
    const KIVString chosen(browser.Path());
    app.state.variables.installDst = chosen;
    SetControlText(kFolder, chosen);
}
