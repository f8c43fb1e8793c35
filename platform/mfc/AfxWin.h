// The framework: application, thread and window objects over the platform's
// window system, as the toolkit derives from them.
#pragma once

#include "platform/Windows.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWinThread.h"
#include "platform/mfc/CWnd.h"
