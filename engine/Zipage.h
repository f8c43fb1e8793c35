// Zipage: the archive reader. It unpacks packages of zlib-compressed members
// from archive volumes (".zkiv" files) into folders. The object is itself the
// inflate stream; a 256 KiB input buffer and the writer's 1 MiB output ring,
// made once, carry compressed input and inflated output, so memory stays the
// same whatever the payload. The calling thread reads and inflates while a
// writer thread makes the files (ZipageFileWriter).
//
// Volume layout (32-bit little-endian, absolute offsets):
//   0         setup-package offset
//   P         package: member count N (signed; N <= 0: empty), then per
//             member: link (header offset H), one zlib stream, header at H
//             (two free values, name length n < 260, n name bytes), and
//             directly after it the next member's link
//   size - 4  trailer: must equal size - 8
//
// Volume index 0 is "<base>.zkiv" (opened by OpenArchive); index i in 1..8
// is "<base><i>.zkiv", looked for in the volume folder and then, unless its
// record says it lives on removable media, in the fallback folder.
#pragma once

#include "engine/InstalledFileList.h"
#include "engine/VolumeEntry.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include <zlib.h>

class InstallJournal;
class KIVFileStream;
class ZipageFileWriter;
class ZipageMemberHeader;

using ZipageBytesCallback = void (*)(int count);
using ZipageNameCallback = void (*)(const char* name);

// Why the last ExtractPackage returned -1.
struct ZipageFailure {
    enum Kind {
        kNone,
        kVolume,      // the volume is missing or fails the volume check
        kPackage,     // the count, a link or a header lies outside the volume
        kName,        // a member name that would leave the destination folder
        kUnspellable, // a member name that is no text in the machine's code page
        kCreate,      // the member's file cannot be created
        kWrite,       // the file took fewer bytes than written (a full disk)
        kData,        // the compressed data is corrupt or ends early
        kInflate,     // inflate cannot start (no memory)
        kRecordFull,  // the uninstall record has no room for the member's file
    };
    Kind kind = kNone;
    int member = -1;     // index in the package; -1 before the first member
    char name[260] = {}; // the member's name when it was read, else empty
};

class Zipage : public z_stream_s {
public:
    static constexpr int kBufferSize = 262144;
    static constexpr int kVolumeSlots = 9;
    static constexpr int kMaxNameLength = 259;

    Zipage();
    virtual ~Zipage();
    Zipage(const Zipage&) = delete;
    Zipage& operator=(const Zipage&) = delete;

    // Opens "<archiveFolder>\<baseName>.zkiv" into slot 0 and checks it.
    // Returns 0 when it is open and valid, -1 otherwise.
    int OpenArchive(const char16_t* archiveFolder, const char16_t* volumeFolder,
                    const char16_t* baseName, bool multiVolume);
    void SetMultiVolume(bool multiVolume);
    // volumes: the setup description's volume records, one per volume index
    // (kept by reference); fallbackFolder: second place for numbered volumes.
    void SetVolumeFallback(const std::vector<VolumeEntry>* volumes, const char16_t* fallbackFolder);
    // The 32-bit value at position 0 of the main archive (0 when unreadable).
    int ReadSetupPackageOffset();

    // Unpacks the package at packageOffset of volume volumeIndex into
    // destFolder. Callbacks, flags and the list may be null. Returns 0 on
    // success and after a cancel (the caller tells them apart by its cancel
    // byte), -1 on failure; members written before a failure stay. A member
    // whose compressed data is corrupt or cut short fails the package: its
    // file is removed and it is not added to the list. A member cut by a
    // cancel stays as written, and is listed. A member name that is no text
    // in the machine's ANSI code page (see IsSpellableAnsiName) fails the
    // package before anything of it is written, its folder included.
    // The callbacks run on the calling thread, in volume order, as the
    // writer makes each member and writes each chunk: a member's name when
    // its file is made (or fails to be), a chunk's bytes once written. The
    // writer makes every file and chunk handed over, so that after a cancel
    // the files on disk are those reported. A failure of the writer stops
    // the package at the next chunk; nothing after the failing member is
    // made or reported.
    int ExtractPackage(const char16_t* destFolder, int packageOffset, ZipageBytesCallback onBytes,
                       ZipageNameCallback onName, const std::atomic<unsigned char>* cancelFlag,
                       const std::atomic<unsigned char>* pauseFlag,
                       InstalledFileList* installedFiles, int volumeIndex);

    void CloseVolumes();

    // Lists each folder and member file in the journal before it is made
    // (null: no journal).
    void SetJournal(InstallJournal* journal) { journal_ = journal; }

    // Why the last ExtractPackage failed (kind kNone after a success).
    const ZipageFailure& LastFailure() const { return failure_; }

private:
    struct Extraction;
    // How the inflating of one member ended.
    enum class Inflated { kWhole, kCancelled, kWriteFailed, kDamaged };

    KIVFileStream* ChooseVolume(int volumeIndex);
    KIVFileStream* OpenVolume(const char16_t* path);
    const unsigned char* Fetch(Extraction& x, std::uint32_t position, std::uint32_t length);
    bool Refill(Extraction& x, std::uint32_t position);
    int Fail(ZipageFailure::Kind kind, const char* name = nullptr);
    bool ReadMember(Extraction& x, std::uint32_t link, ZipageMemberHeader* member);
    bool ReadHeader(Extraction& x, std::uint32_t link, ZipageMemberHeader* member);
    bool CheckMemberNames(Extraction& x, int packageOffset);
    int ExtractMember(Extraction& x, const ZipageMemberHeader& member);
    Inflated InflateMember(Extraction& x, std::uint32_t position, std::uint32_t end);
    bool InflateChunk(int flush, int* result, int* written);

    char16_t volumeFolder_[260] = {};
    char16_t baseName_[260] = {};
    char16_t fallbackFolder_[260] = {};
    const std::vector<VolumeEntry>* volumeList_ = nullptr;
    unsigned char multiVolume_ = 0;
    std::unique_ptr<KIVFileStream> volumes_[kVolumeSlots];
    std::unique_ptr<unsigned char[]> input_;
    std::unique_ptr<ZipageFileWriter> writer_; // makes the files; holds the output
    ZipageFailure failure_;
    InstallJournal* journal_ = nullptr;
};
