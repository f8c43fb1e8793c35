#include "platform/mfc/AfxIdleScript.h"

#include "platform/mfc/CWinApp.h"
#include "platform/ui/script/IdleScript.h"

void AfxPlayIdleScript() {
    CWinApp* app = AfxGetApp();
    if (app && AfxGetThread() == app)
        PlayScriptWhenIdle();
}
