// ZipageFileWriter: the half of an extraction that makes the member files.
// The extracting thread inflates; a thread of its own creates, writes,
// closes and lists the files, so that both processor cores work on one
// package. The two are joined by a small bounded queue:
//
//   steps   a ring of kSteps steps, each one piece of one member: its
//           creation (the first), a chunk of its data, its closing (the
//           last); a small member is one step holding all three
//   output  a ring of kOutputSize bytes that inflate writes into; a chunk
//           stays there until the writer has written it
//
// The extracting thread fills the step after the last one handed over and
// hands it over when the next chunk comes or the member ends; it waits when
// either ring is full. Every step handed over is carried out, in order,
// also after a cancel, so that what the callbacks reported is what is on
// disk. After a failure (a file that cannot be made, a short write) the
// writer carries out nothing more, and the extracting thread stops at its
// next request. The pause byte holds the writer before each step.
//
// The callbacks report what the writer has done, on the extracting thread,
// in volume order: a member's name once the writer has come to its
// creation, a chunk's bytes once they are written. So the names and bytes
// reported are those of the files on disk, also after a cancel or a failure
// (whose member is named; its bytes not written are not reported).
#pragma once

#include "engine/InstallJournal.h"
#include "engine/InstalledFileList.h"
#include "engine/Zipage.h"
#include "toolkit/KIVFileStream.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

class ZipageFileWriter {
public:
    static constexpr int kChunkSize = Zipage::kBufferSize;
    static constexpr int kOutputSize = 4 * kChunkSize;
    static constexpr int kSteps = 128;
    static constexpr int kPathChars = 520;

    // How a member's inflating ended, given with its last step.
    enum class Ending { kWhole, kCancelled, kDamaged };

    ZipageFileWriter();
    ~ZipageFileWriter();
    ZipageFileWriter(const ZipageFileWriter&) = delete;
    ZipageFileWriter& operator=(const ZipageFileWriter&) = delete;

    // Prepares a new extraction; the list, the journal, the flag and the
    // callbacks may be null. The thread starts with the first member. The
    // journal lists the members handed over, a batch at a time with one
    // write, before the writer makes the first of them.
    void Start(InstalledFileList* installedFiles, InstallJournal* journal,
               const std::atomic<unsigned char>* pauseFlag, ZipageBytesCallback onBytes,
               ZipageNameCallback onName);
    // Starts the member `index`, whose file is `path`; its name (as stored)
    // names it in a failure. False once the writer has failed, and for a
    // member the installed-files list has no room for (kMaxListedFileBytes,
    // UninstallRecordLimits.h): the writer fails at it (kRecordFull) without
    // making it, so the uninstall record still reads whole.
    bool BeginMember(int index, const char16_t* path, const char* name);
    // A member whose file cannot be made at all (its path is too long): the
    // writer fails at it, once everything before it is done, naming it.
    void RefuseMember(int index, const char* name,
                      ZipageFailure::Kind kind = ZipageFailure::kCreate);
    // Room for the next inflate call: kChunkSize bytes that the writer no
    // longer needs. Null once the writer has failed.
    unsigned char* Room();
    // The first `count` bytes of the last Room() belong to the member.
    bool AddChunk(int count);
    // Ends the member begun last: the writer closes its file, then lists it,
    // or removes it when it is damaged.
    bool EndMember(Ending ending);

    // True once the writer has failed; the extracting thread then stops.
    bool Failed() const { return failed_.load(std::memory_order_acquire); }
    // Waits until the writer has carried out every step handed over, ends its
    // thread and reports what was not reported yet. Returns the writer's
    // failure (kind kNone when none).
    ZipageFailure Finish();

private:
    static constexpr std::uint64_t kNever = ~std::uint64_t(0);

    struct Step {
        int member = 0;
        bool create = false;
        // Created never: the writer fails at it with this kind.
        ZipageFailure::Kind refusal = ZipageFailure::kNone;
        bool close = false;
        Ending ending = Ending::kWhole;
        std::uint64_t data = 0; // position of the chunk in the output ring
        int count = 0;
        char16_t path[kPathChars] = {};
        char ansiPath[InstalledFileList::kPathSize] = {}; // for the list
        char name[Zipage::kMaxNameLength + 1] = {};
    };

    Step& Filling() { return steps_[handedOver_ % kSteps]; }
    void StartThread();
    bool ListedFits(const char* ansiPath);
    bool NextStep(int member);
    bool HandOver();
    bool WaitUntil(std::unique_lock<std::mutex>& lock, std::uint64_t carried,
                   std::uint64_t released);
    void Run();
    bool TakeStep(Step** step, std::uint64_t* available);
    void ListAhead(std::uint64_t available);
    void FinishStep(const Step& step);
    void Carry(const Step& step);
    bool Create(const Step& step);
    bool Write(const Step& step);
    void Close(const Step& step);
    void List();
    void SetFailure(ZipageFailure::Kind kind, const Step& step);
    void Report(std::uint64_t carried, std::uint64_t failedAt);

    InstalledFileList* installedFiles_ = nullptr;
    InstallJournal* journal_ = nullptr;
    const std::atomic<unsigned char>* pause_ = nullptr;
    ZipageBytesCallback onBytes_ = nullptr;
    ZipageNameCallback onName_ = nullptr;
    std::unique_ptr<Step[]> steps_;
    std::unique_ptr<unsigned char[]> output_;
    std::thread thread_;

    // Shared by both threads, under mutex_ (failed_ is also read without it).
    std::mutex mutex_;
    std::condition_variable stepReady_; // the writer waits for a step
    std::condition_variable roomReady_; // the extracting thread waits for room
    std::uint64_t handedOver_ = 0;      // steps handed over
    std::uint64_t carried_ = 0;         // steps carried out
    std::uint64_t released_ = 0;        // output before this position is written
    bool writerWaiting_ = false;
    bool readerWaiting_ = false;
    std::uint64_t carriedWanted_ = 0;  // what the waiting extracting thread
    std::uint64_t releasedWanted_ = 0; // needs before it goes on
    bool done_ = false;                // nothing more will be handed over
    std::uint64_t failedAt_ = kNever;  // the step the writer failed at
    std::atomic<bool> failed_{false};

    // The extracting thread's own.
    std::uint64_t produced_ = 0;  // output before this position is in chunks
    std::uint64_t room_ = 0;      // position of the last Room()
    std::uint64_t reported_ = 0;  // steps whose callbacks have run
    std::size_t listedBytes_ = 0; // journal bytes of the files listed or begun

    // The writer's own.
    KIVFileStream file_;
    char16_t openPath_[kPathChars] = {};
    char openAnsiPath_[InstalledFileList::kPathSize] = {};
    char openName_[Zipage::kMaxNameLength + 1] = {};
    ZipageFailure failure_;
    std::uint64_t journaled_ = 0; // steps listed in the journal
    std::string journalLines_;
};
