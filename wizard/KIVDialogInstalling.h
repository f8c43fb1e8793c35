// KIVDialogInstalling: the progress page. On its first idle step it starts
// the install worker, whose two callbacks move the progress bar and set the
// status line (the path of the file being installed, in the installation
// folder); it looks at the worker once every idle step (each 10 ms) and
// ends itself once the worker has finished: with 2 after a failure or a
// cancel, else with 1. Cancel, Escape, Enter and the close box
// all ask whether to cancel; the worker waits while the question is open.
#pragma once

#include "setup/KIVInstallApp.h"
#include "setup/MyKIVThread.h"
#include "toolkit/KIVDialog.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

class KIVProgressBarCtrl;

class KIVDialogInstalling : public KIVDialog {
public:
    static constexpr LONG kTemplate = 16;
    static constexpr LONG kProgress = 1000;
    static constexpr LONG kStatus = 1001;
    static constexpr LONG kWaitText = 1011; // names the product (setup variables)
    static constexpr LONG kCancelButton = 1102;
    static constexpr int kTextCancelQuestion = 112;
    static constexpr int kTextCancelCaption = 113;
    static constexpr int kBottomGap = 70; // pixels between the page and the screen's bottom

    explicit KIVDialogInstalling(CWnd* parent);
    ~KIVDialogInstalling() override;

    void OnInitControls() override;
    void OnOK() override { OnCancel(); }
    void OnClose() override { OnCancel(); }
    void OnCancel() override;
    bool OnIdleWork() override;
    void OnControlNotify(int kind, int id, int value, bool flag) override;

    // The worker's callbacks; they act on the page that runs.
    static void AddProgress(int count);
    // text: a file's name as the entry's folder holds it; the status line
    // shows its path in the installation folder, cut in the middle when it
    // is wider than the line.
    static void AddStatusText(const char* text);
    // Told by the worker of each entry it begins (SetupDriver::onEntry).
    static void OnEntry(const InstallEntry& entry, const char16_t* folder);

    // Shows the status the worker left last; every idle step calls it.
    void ShowPendingStatus();

private:
    void Finish();

    KIVInstallApp* app_ = nullptr;
    KIVProgressBarCtrl* progress_ = nullptr;
    std::unique_ptr<MyKIVThread> thread_;
    std::atomic<std::int32_t> total_{0};
    bool started_ = false;
    std::mutex statusLock_;
    std::string pendingStatus_;
    std::string entryFolder_; // the worker's only
    bool statusPending_ = false;
};
