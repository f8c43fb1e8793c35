// The whole Win32 subset of the emulated machine, as <windows.h> would give it.
#pragma once

#include "platform/WinBase.h"
#include "platform/WinError.h"
#include "platform/WinReg.h"
#include "platform/WinTypes.h"
#include "platform/WinVer.h"
#include "platform/WinUser.h"
#include "platform/WinGdi.h"
#include "platform/Imm.h"
