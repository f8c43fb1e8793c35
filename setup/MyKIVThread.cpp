#include "setup/MyKIVThread.h"

#include "setup/SetupDriver.h"

DWORD MyKIVThread::Run() {
    driver_.InstallProcedure(onBytes_, onName_);
    return 0;
}
