// The install worker's state, shared between the worker thread and the
// user-interface thread (the progress page, or a headless driver) without
// locks: each flag has one writer at a time and the other side polls it. The
// result code and the error text are written before the finished flag is
// raised, and read only after it has been seen.
#pragma once

#include "toolkit/KIVString.h"

#include <atomic>
#include <cstdint>

enum InstallResult : std::int32_t {
    kInstallSucceeded = 0,
    kInstallCopyFailed = 1,        // an install entry could not be copied
    kInstallExtractFailed = 2,     // an install entry could not be unpacked
    kInstallRegistryFailed = 3,    // the registry keys could not be written
    kInstallCancelled = 4,         // the user confirmed the cancel
    kInstallSystemFilesFailed = 5, // the staged system files could not be installed
};

struct InstallWorkerState {
    std::atomic<unsigned char> finished{0};
    std::atomic<unsigned char> cancelRequested{0};
    std::atomic<unsigned char> questionOpen{0}; // the worker waits while it is set
    std::atomic<std::int32_t> resultCode{kInstallSucceeded};
    KIVString errorText; // for the codes 1, 2, 3 and 5

    // Sets the result and its text, then the finished flag (in that order).
    void Finish(std::int32_t code, const KIVString& text) {
        errorText = text;
        resultCode.store(code);
        finished.store(1);
    }
};
