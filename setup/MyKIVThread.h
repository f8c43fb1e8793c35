// MyKIVThread: the setup's install worker. Its Run calls the install
// procedure of the driver (the application's state) with the progress
// page's two callbacks; it has no name of its own and no data but these.
#pragma once

#include "engine/Zipage.h"
#include "toolkit/KIVThread.h"

class SetupDriver;

class MyKIVThread : public KIVThread {
public:
    MyKIVThread(SetupDriver& driver, ZipageBytesCallback onBytes, ZipageNameCallback onName)
        : driver_(driver), onBytes_(onBytes), onName_(onName) {}
    ~MyKIVThread() override = default;

    DWORD Run() override;

private:
    SetupDriver& driver_;
    ZipageBytesCallback onBytes_;
    ZipageNameCallback onName_;
};
