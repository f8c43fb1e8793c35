// [SECTION] The extracting thread's side
// [SECTION] The writer thread
#include "engine/ZipageFileWriter.h"

#include "engine/InstallFlags.h"
#include "engine/UninstallRecordLimits.h"
#include "platform/Windows.h"

#include <algorithm>
#include <cstring>

namespace {
// Each wake-up costs both threads a switch, and on a busy machine a wait for
// a turn on a processor: the extracting thread waits for half the step ring
// at a time, and wakes an idle writer once several small steps, or a large
// chunk, are waiting, or when it must wait itself.
constexpr std::uint64_t kStepBatch = ZipageFileWriter::kSteps / 2;
constexpr std::uint64_t kWakeSteps = 16;
constexpr int kWakeBytes = ZipageFileWriter::kChunkSize / 4;

template <std::size_t N, typename Char> void CopyText(Char (&buffer)[N], const Char* text) {
    std::size_t length = 0;
    while (text && text[length] && length < N - 1) {
        buffer[length] = text[length];
        ++length;
    }
    buffer[length] = 0;
}
} // namespace

ZipageFileWriter::ZipageFileWriter()
    : steps_(new Step[kSteps]), output_(new unsigned char[kOutputSize]) {}

ZipageFileWriter::~ZipageFileWriter() {
    Finish();
}

void ZipageFileWriter::Start(InstalledFileList* installedFiles, InstallJournal* journal,
                             const std::atomic<unsigned char>* pauseFlag,
                             ZipageBytesCallback onBytes, ZipageNameCallback onName) {
    Finish();
    installedFiles_ = installedFiles;
    listedBytes_ = installedFiles ? installedFiles->TextBytes() +
                                        kListedFileLineExtra *
                                            static_cast<std::size_t>(installedFiles->GetSize())
                                  : 0;
    journal_ = journal;
    journaled_ = 0;
    pause_ = pauseFlag;
    onBytes_ = onBytes;
    onName_ = onName;
    handedOver_ = carried_ = released_ = reported_ = 0;
    failedAt_ = kNever;
    carriedWanted_ = releasedWanted_ = 0;
    writerWaiting_ = readerWaiting_ = done_ = false;
    failed_.store(false, std::memory_order_relaxed);
    produced_ = room_ = 0;
    failure_ = ZipageFailure();
}

// [SECTION] The extracting thread's side
bool ZipageFileWriter::BeginMember(int index, const char16_t* path, const char* name) {
    if (Failed() || !NextStep(index))
        return false;
    Step& step = Filling();
    step.create = true;
    CopyText(step.path, path);
    CopyText(step.name, name);
    // The list's text is made here, where there is time to spare.
    if (installedFiles_ && WideCharToMultiByte(CP_ACP, 0, path, -1, step.ansiPath,
                                               sizeof(step.ansiPath), nullptr, nullptr) <= 0)
        step.ansiPath[0] = 0;
    StartThread();
    if (!installedFiles_ || ListedFits(step.ansiPath))
        return true;
    step.refusal = ZipageFailure::kRecordFull;
    HandOver();
    return false;
}

// Counts the member's list line in; false when it passes the limit.
bool ZipageFileWriter::ListedFits(const char* ansiPath) {
    listedBytes_ += std::strlen(ansiPath) + kListedFileLineExtra;
    return listedBytes_ <= kMaxListedFileBytes;
}

// The writer's thread starts with the first member of an extraction.
void ZipageFileWriter::StartThread() {
    if (!thread_.joinable())
        thread_ = std::thread(&ZipageFileWriter::Run, this);
}

void ZipageFileWriter::RefuseMember(int index, const char* name, ZipageFailure::Kind kind) {
    if (Failed() || !NextStep(index))
        return;
    Step& step = Filling();
    step.create = true;
    step.refusal = kind;
    step.path[0] = 0;
    CopyText(step.name, name);
    StartThread();
    HandOver();
}

unsigned char* ZipageFileWriter::Room() {
    std::uint64_t start = produced_;
    if (start % kOutputSize + kChunkSize > kOutputSize)
        start += kOutputSize - start % kOutputSize; // a chunk never wraps
    std::unique_lock<std::mutex> lock(mutex_);
    if (!WaitUntil(lock, 0,
                   start + kChunkSize > kOutputSize ? start + kChunkSize - kOutputSize : 0))
        return nullptr;
    room_ = start;
    return output_.get() + start % kOutputSize;
}

bool ZipageFileWriter::AddChunk(int count) {
    if (Filling().count > 0) {
        int member = Filling().member;
        if (!HandOver() || !NextStep(member))
            return false;
    }
    Filling().data = room_;
    Filling().count = count;
    produced_ = room_ + static_cast<std::uint64_t>(count);
    return true;
}

bool ZipageFileWriter::EndMember(Ending ending) {
    Filling().close = true;
    Filling().ending = ending;
    return HandOver();
}

// Makes the step after the last one handed over the one being filled, once
// the writer is done with what that slot held before.
bool ZipageFileWriter::NextStep(int member) {
    std::uint64_t carried, failedAt;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (handedOver_ - carried_ >= kSteps && !WaitUntil(lock, handedOver_ - kStepBatch, 0))
            return false;
        carried = carried_;
        failedAt = failedAt_;
    }
    Report(carried, failedAt); // before the slot of a carried step is filled anew
    Step& step = Filling();
    step.member = member;
    step.create = step.close = false;
    step.refusal = ZipageFailure::kNone;
    step.ending = Ending::kWhole;
    step.count = 0;
    return true;
}

bool ZipageFileWriter::HandOver() {
    const bool large = Filling().count >= kWakeBytes;
    std::uint64_t carried, failedAt;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++handedOver_;
        if (writerWaiting_ && (large || handedOver_ - carried_ >= kWakeSteps))
            stepReady_.notify_one();
        carried = carried_;
        failedAt = failedAt_;
    }
    Report(carried, failedAt);
    return !Failed();
}

// Runs the callbacks of the steps carried out and not reported yet; none
// after the step the writer failed at, whose member is named.
void ZipageFileWriter::Report(std::uint64_t carried, std::uint64_t failedAt) {
    for (; reported_ < carried && reported_ <= failedAt; ++reported_) {
        const Step& step = steps_[reported_ % kSteps];
        if (step.create && onName_)
            onName_(step.name);
        if (step.count > 0 && reported_ < failedAt && onBytes_)
            onBytes_(step.count);
    }
    reported_ = std::max(reported_, carried);
}

// Waits until the writer has carried out `carried` steps and written the
// output before `released`, unless that holds already or the writer fails.
bool ZipageFileWriter::WaitUntil(std::unique_lock<std::mutex>& lock, std::uint64_t carried,
                                 std::uint64_t released) {
    while (!Failed() && (carried_ < carried || released_ < released)) {
        if (writerWaiting_)
            stepReady_.notify_one(); // it may hold fewer steps than wake it
        carriedWanted_ = carried;
        releasedWanted_ = released;
        readerWaiting_ = true;
        roomReady_.wait(lock);
    }
    readerWaiting_ = false;
    return !Failed();
}

ZipageFailure ZipageFileWriter::Finish() {
    if (thread_.joinable()) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
            stepReady_.notify_one();
        }
        thread_.join();
    }
    Report(carried_, failedAt_);
    return failure_;
}

// [SECTION] The writer thread
void ZipageFileWriter::Run() {
    Step* step = nullptr;
    std::uint64_t available = 0;
    while (TakeStep(&step, &available)) {
        WaitWhileInstallPaused(pause_);
        if (!Failed()) {
            ListAhead(available);
            Carry(*step);
        }
        FinishStep(*step);
    }
}

bool ZipageFileWriter::TakeStep(Step** step, std::uint64_t* available) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (carried_ == handedOver_ && !done_) {
        writerWaiting_ = true;
        stepReady_.wait(lock);
    }
    writerWaiting_ = false;
    if (carried_ == handedOver_)
        return false;
    *step = &steps_[carried_ % kSteps];
    *available = handedOver_;
    return true;
}

// Lists in the journal, with one write, the members of the steps handed
// over and not listed yet, before the first of them is made. (carried_ is
// written by this thread alone.)
void ZipageFileWriter::ListAhead(std::uint64_t available) {
    if (!journal_ || journaled_ >= available)
        return;
    journalLines_.clear();
    for (std::uint64_t index = std::max(journaled_, carried_); index < available; ++index) {
        const Step& step = steps_[index % kSteps];
        if (step.create && step.refusal == ZipageFailure::kNone)
            journalLines_ += journal_->FileLine(step.path);
    }
    journal_->WriteLines(journalLines_);
    journaled_ = available;
}

void ZipageFileWriter::FinishStep(const Step& step) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++carried_;
    if (step.count > 0)
        released_ = step.data + static_cast<std::uint64_t>(step.count);
    if (readerWaiting_ && carried_ >= carriedWanted_ && released_ >= releasedWanted_)
        roomReady_.notify_one();
}

void ZipageFileWriter::Carry(const Step& step) {
    if (step.create && !Create(step))
        return;
    if (step.count > 0 && !Write(step))
        return;
    if (step.close)
        Close(step);
}

bool ZipageFileWriter::Create(const Step& step) {
    CopyText(openPath_, step.path);
    CopyText(openAnsiPath_, step.ansiPath);
    CopyText(openName_, step.name);
    if (step.refusal == ZipageFailure::kNone && file_.Open(KIVFileStream::kRawWrite, openPath_, 0))
        return true;
    SetFailure(step.refusal == ZipageFailure::kNone ? ZipageFailure::kCreate : step.refusal, step);
    return false;
}

// A file cut by a full disk stays and is listed, so that the uninstall
// record still names it.
bool ZipageFileWriter::Write(const Step& step) {
    const unsigned char* data = output_.get() + step.data % kOutputSize;
    if (file_.Write(data, step.count) == step.count)
        return true;
    file_.Close();
    List();
    SetFailure(ZipageFailure::kWrite, step);
    return false;
}

// A damaged member's file is removed and never listed: what it holds is not
// the member. A member cut by a cancel stays as written, and is listed.
void ZipageFileWriter::Close(const Step& step) {
    file_.Close();
    if (step.ending == Ending::kDamaged)
        DeleteFileW(openPath_);
    else
        List();
}

void ZipageFileWriter::List() {
    if (installedFiles_)
        installedFiles_->Add(openAnsiPath_);
}

void ZipageFileWriter::SetFailure(ZipageFailure::Kind kind, const Step& step) {
    failure_.kind = kind;
    failure_.member = step.member;
    CopyText(failure_.name, openName_);
    std::lock_guard<std::mutex> lock(mutex_);
    failedAt_ = carried_; // the step being carried out
    failed_.store(true, std::memory_order_release);
    roomReady_.notify_one();
}
