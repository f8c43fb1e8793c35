#include "wizard/KIVDialogInstalling.h"

#include "toolkit/KIVAnsiName.h"
#include "toolkit/KIVMessageBox.h"
#include "toolkit/KIVPathEllipsis.h"
#include "toolkit/controls/KIVProgressBarCtrl.h"
#include "wizard/ExpandControlText.h"

#include "platform/Windows.h"

namespace {

// The page that runs; the worker's callbacks reach it through here.
std::atomic<KIVDialogInstalling*> g_current{nullptr};

} // namespace

KIVDialogInstalling::KIVDialogInstalling(CWnd* parent) : KIVDialog(parent, kTemplate) {}

KIVDialogInstalling::~KIVDialogInstalling() {
    KIVDialogInstalling* self = this;
    g_current.compare_exchange_strong(self, nullptr);
    if (app_ && app_->driver.onEntry == &OnEntry)
        app_->driver.onEntry = nullptr;
}

// Centred near the bottom of the screen, whatever place the pages had.
void KIVDialogInstalling::OnInitControls() {
    app_ = KIVInstallApp::Get();
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    ::SetWindowPos(m_hWnd, nullptr, (app_->screenWidth - w) / 2,
                   app_->screenHeight - h - kBottomGap, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    g_current.store(this);
    ExpandControlText(*this, kWaitText, app_->state);
    app_->driver.onEntry = &OnEntry;
    // The flags are cleared here, before a question can be asked: cleared at
    // the worker's start they would drop a cancel confirmed before it.
    InstallWorkerState& worker = app_->driver.worker;
    worker.finished.store(0);
    worker.cancelRequested.store(0);
    worker.questionOpen.store(0);
    progress_ = dynamic_cast<KIVProgressBarCtrl*>(GetControl(kProgress));
    if (progress_)
        progress_->SetRange(static_cast<float>(app_->state.requiredSize));
    total_.store(0);
}

void KIVDialogInstalling::AddProgress(int count) {
    KIVDialogInstalling* page = g_current.load();
    if (!page)
        return;
    const std::int32_t total = page->total_.fetch_add(count) + count;
    if (page->progress_)
        page->progress_->SetPosition(static_cast<float>(total));
}

// The worker begins an entry: its files are named from here on by their
// place in the installation folder. A system entry's files go to the
// system folder, not below the installation folder: they keep their name.
void KIVDialogInstalling::OnEntry(const InstallEntry& entry, const char16_t*) {
    if (KIVDialogInstalling* page = g_current.load())
        page->entryFolder_ = entry.system ? "" : entry.destinationFolder;
}

// The text waits for the page's next idle step (at most 10 ms) on the
// user-interface thread, which alone changes and draws the label.
void KIVDialogInstalling::AddStatusText(const char* text) {
    KIVDialogInstalling* page = g_current.load();
    if (!page)
        return;
    const std::string path = KIVAnsiName::Join(page->entryFolder_, text ? text : "");
    std::lock_guard<std::mutex> lock(page->statusLock_);
    page->pendingStatus_ = path;
    page->statusPending_ = true;
}

void KIVDialogInstalling::ShowPendingStatus() {
    std::string text;
    {
        std::lock_guard<std::mutex> lock(statusLock_);
        if (!statusPending_)
            return;
        text = pendingStatus_;
        statusPending_ = false;
    }
    KIVControl* status = GetControl(kStatus);
    if (!status)
        return;
    const RECT& place = status->GetRect();
    const KIVFont* font = status->GetFont();
    status->SetText(font ? KIVPathEllipsis(text.c_str(), *font, place.right - place.left)
                         : KIVString(text.c_str()));
    status->InvalidateRect();
}

bool KIVDialogInstalling::OnIdleWork() {
    InstallWorkerState& worker = app_->driver.worker;
    if (!started_) {
        // Not while the cancel question is open (the idle steps go on under
        // its box): the worker starts once it has been answered.
        if (worker.questionOpen.load())
            return false;
        started_ = true;
        thread_ = std::make_unique<MyKIVThread>(app_->driver, AddProgress, AddStatusText);
        if (!thread_->Start())
            worker.Finish(kInstallExtractFailed, u"The installation could not be started.");
    }
    ShowPendingStatus();
    if (worker.finished.load())
        Finish();
    // Nothing more until the next tick of the dialog's 10 ms timer: asking
    // for more would poll the worker in a busy loop for the tick's whole
    // budget, half a processor taken from the installation.
    return false;
}

// The worker has finished: its thread is awaited and destroyed, and the page
// ends with 2 after a failure or a cancel, else with 1.
void KIVDialogInstalling::Finish() {
    InstallWorkerState& worker = app_->driver.worker;
    worker.finished.store(0);
    while (thread_ && thread_->HasStarted() && !thread_->IsDone())
        ::Sleep(10);
    thread_.reset();
    const std::int32_t code = worker.resultCode.load();
    EndDialog(code >= kInstallCopyFailed && code <= kInstallCancelled ? kCancel : kOK);
}

void KIVDialogInstalling::OnCancel() {
    InstallWorkerState& worker = app_->driver.worker;
    worker.questionOpen.store(1);
    if (KIVMessageBox(nullptr, app_->GetText(kTextCancelQuestion),
                      app_->GetText(kTextCancelCaption), 0x2000c, 0) == IDYES)
        worker.cancelRequested.store(1);
    worker.questionOpen.store(0);
}

void KIVDialogInstalling::OnControlNotify(int kind, int id, int value, bool flag) {
    if (kind == KIVControl::kNotifyClicked && id == kCancelButton) {
        if (flag)
            OnCancel();
        return;
    }
    KIVDialog::OnControlNotify(kind, id, value, flag);
}
