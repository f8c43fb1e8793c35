// [SECTION] Helpers
// [SECTION] Construction and volumes
// [SECTION] Package and member headers
// [SECTION] Inflating one member
#include "engine/Zipage.h"

#include "engine/CreateFolderPath.h"
#include "engine/InstallFlags.h"
#include "engine/InstallJournal.h"
#include "engine/InstalledFileList.h"
#include "engine/MemberName.h"
#include "engine/SpellableName.h"
#include "engine/ZipageFileWriter.h"
#include "engine/ZipageMemberHeader.h"
#include "platform/Windows.h"
#include "toolkit/KIVFileStream.h"

#include <cstring>

// [SECTION] Helpers
namespace {
constexpr int kPathChars = 520; // a folder and a name of up to 259 characters each

bool Read32(KIVFileStream& stream, std::uint32_t* value) {
    unsigned char bytes[4];
    if (stream.Read(bytes, 4) != 4)
        return false;
    *value = ZipageLe32(bytes);
    return true;
}

// Copies text into a buffer of `size` characters, cut and terminated.
void CopyText(char16_t* buffer, int size, const char16_t* text) {
    int length = 0;
    while (text && text[length] && length < size - 1) {
        buffer[length] = text[length];
        ++length;
    }
    buffer[length] = 0;
}

// Appends to a path being built in a kPathChars buffer; cuts at its end
// (a cut path is longer than any file name the platform accepts).
class PathText {
public:
    PathText& operator<<(const char16_t* text) {
        while (text && *text && length_ < kPathChars - 1)
            chars_[length_++] = *text++;
        chars_[length_] = 0;
        return *this;
    }
    PathText& operator<<(int digit) {
        char16_t text[2] = {static_cast<char16_t>(u'0' + digit), 0};
        return *this << text;
    }
    const char16_t* Get() const { return chars_; }
    int Length() const { return length_; }

private:
    char16_t chars_[kPathChars] = {};
    int length_ = 0;
};

} // namespace

struct Zipage::Extraction {
    KIVFileStream* volume;
    std::uint32_t volumeSize;
    const char16_t* destFolder;
    const std::atomic<unsigned char>* cancel;
    const std::atomic<unsigned char>* pause;
    // The part of the volume that the input buffer holds.
    std::uint32_t windowStart;
    std::uint32_t windowLength;

    bool InWindow(std::uint32_t position, std::uint32_t length) const {
        return position >= windowStart && position - windowStart <= windowLength &&
               length <= windowLength - (position - windowStart);
    }
};

// [SECTION] Construction and volumes
Zipage::Zipage()
    : z_stream_s{}, input_(new unsigned char[kBufferSize]), writer_(new ZipageFileWriter) {}

Zipage::~Zipage() {
    CloseVolumes();
}

void Zipage::CloseVolumes() {
    for (std::unique_ptr<KIVFileStream>& slot : volumes_)
        slot.reset();
}

// Opens a volume for reading and applies the volume check: the last 4 bytes
// must name the position 8 bytes before the end.
KIVFileStream* Zipage::OpenVolume(const char16_t* path) {
    std::unique_ptr<KIVFileStream> stream(new KIVFileStream);
    if (!stream->Open(KIVFileStream::kRawRead, path, 0))
        return nullptr;
    int trailerPosition = stream->Seek(-8, 2);
    std::uint32_t unused = 0, trailer = 0;
    if (trailerPosition < 4 || !Read32(*stream, &unused) || !Read32(*stream, &trailer) ||
        trailer != static_cast<std::uint32_t>(trailerPosition))
        return nullptr;
    return stream.release();
}

int Zipage::OpenArchive(const char16_t* archiveFolder, const char16_t* volumeFolder,
                        const char16_t* baseName, bool multiVolume) {
    CopyText(volumeFolder_, 260, volumeFolder);
    CopyText(baseName_, 260, baseName);
    multiVolume_ = multiVolume ? 1 : 0;
    PathText path;
    path << archiveFolder << u"\\" << baseName << u".zkiv";
    volumes_[0].reset(OpenVolume(path.Get()));
    return volumes_[0] ? 0 : -1;
}

void Zipage::SetMultiVolume(bool multiVolume) {
    multiVolume_ = multiVolume ? 1 : 0;
}

void Zipage::SetVolumeFallback(const std::vector<VolumeEntry>* volumes,
                               const char16_t* fallbackFolder) {
    volumeList_ = volumes;
    CopyText(fallbackFolder_, 260, fallbackFolder);
}

int Zipage::ReadSetupPackageOffset() {
    std::uint32_t offset = 0;
    if (!volumes_[0] || volumes_[0]->Seek(0, 0) != 0 || !Read32(*volumes_[0], &offset))
        return 0;
    return static_cast<int>(offset);
}

// A numbered volume is looked for in the volume folder; when it is not there
// and its record does not put it on removable media, in the fallback folder.
// Without a volume list (before SetVolumeFallback) there is no fallback.
KIVFileStream* Zipage::ChooseVolume(int volumeIndex) {
    if (!multiVolume_)
        return volumes_[0].get();
    if (volumeIndex < 0 || volumeIndex >= kVolumeSlots)
        return nullptr;
    if (volumes_[volumeIndex])
        return volumes_[volumeIndex].get();
    PathText first;
    first << volumeFolder_ << u"\\" << baseName_ << volumeIndex << u".zkiv";
    if (KIVFileStream::Exists(first.Get())) {
        volumes_[volumeIndex].reset(OpenVolume(first.Get()));
        return volumes_[volumeIndex].get();
    }
    bool media = volumeList_ && static_cast<std::size_t>(volumeIndex) < volumeList_->size() &&
                 (*volumeList_)[static_cast<std::size_t>(volumeIndex)].media;
    if (media || !volumeList_ || !fallbackFolder_[0])
        return nullptr;
    PathText second;
    second << fallbackFolder_ << u"\\" << baseName_ << volumeIndex << u".zkiv";
    volumes_[volumeIndex].reset(OpenVolume(second.Get()));
    return volumes_[volumeIndex].get();
}

// [SECTION] Package and member headers
int Zipage::ExtractPackage(const char16_t* destFolder, int packageOffset,
                           ZipageBytesCallback onBytes, ZipageNameCallback onName,
                           const std::atomic<unsigned char>* cancelFlag,
                           const std::atomic<unsigned char>* pauseFlag,
                           InstalledFileList* installedFiles, int volumeIndex) {
    failure_ = ZipageFailure();
    KIVFileStream* volume = ChooseVolume(volumeIndex);
    if (!volume)
        return Fail(ZipageFailure::kVolume);
    Extraction x{
        volume, static_cast<std::uint32_t>(volume->GetSize()), destFolder, cancelFlag, pauseFlag, 0,
        0};
    if (!CheckMemberNames(x, packageOffset))
        return -1;
    CreateFolderPath(destFolder, journal_);
    const unsigned char* count = nullptr;
    if (packageOffset < 0 || !(count = Fetch(x, static_cast<std::uint32_t>(packageOffset), 4)))
        return Fail(ZipageFailure::kPackage);
    std::int32_t members = static_cast<std::int32_t>(ZipageLe32(count));
    if (members <= 0)
        return 0;

    // One inflate state serves the whole package; inflateReset gives every
    // member a fresh stream without a fresh allocation.
    zalloc = nullptr;
    zfree = nullptr;
    opaque = nullptr;
    avail_in = 0;
    next_in = nullptr;
    if (inflateInit_(this, "1.1.3", static_cast<int>(sizeof(z_stream))) != Z_OK)
        return Fail(ZipageFailure::kInflate);
    writer_->Start(installedFiles, journal_, pauseFlag, onBytes, onName);
    int result = 0;
    std::uint32_t link = static_cast<std::uint32_t>(packageOffset) + 4;
    for (std::int32_t i = 0; i < members; ++i) {
        WaitWhileInstallPaused(pauseFlag);
        if (IsInstallFlagSet(cancelFlag) || writer_->Failed())
            break;
        failure_.member = i;
        ZipageMemberHeader member;
        if (!ReadMember(x, link, &member)) {
            result = Fail(ZipageFailure::kPackage);
            break;
        }
        if (ExtractMember(x, member) != 0) {
            result = -1;
            break;
        }
        link = member.NextLink();
    }
    inflateEnd(this);
    // The writer's failure lies at an earlier member than anything the
    // reading found after it, or at the same one: there it came first.
    ZipageFailure written = writer_->Finish();
    if (written.kind != ZipageFailure::kNone &&
        (result == 0 || written.member <= failure_.member)) {
        failure_ = written;
        result = -1;
    }
    if (result == 0)
        failure_ = ZipageFailure();
    return result;
}

// Notes why the extraction fails, for LastFailure; returns -1.
int Zipage::Fail(ZipageFailure::Kind kind, const char* name) {
    failure_.kind = kind;
    int length = 0;
    while (name && name[length] && length < kMaxNameLength) {
        failure_.name[length] = name[length];
        ++length;
    }
    failure_.name[length] = 0;
    return -1;
}

// Makes the volume's bytes [position, position + length) available in the
// input buffer and returns them; null when the volume ends before. A miss
// reads a whole buffer from position, so that small members that follow one
// another come in with one read.
const unsigned char* Zipage::Fetch(Extraction& x, std::uint32_t position, std::uint32_t length) {
    if (!x.InWindow(position, length) && (!Refill(x, position) || !x.InWindow(position, length)))
        return nullptr;
    return input_.get() + (position - x.windowStart);
}

bool Zipage::Refill(Extraction& x, std::uint32_t position) {
    x.windowLength = 0;
    if (position >= x.volumeSize ||
        x.volume->Seek(static_cast<int>(position), 0) != static_cast<int>(position))
        return false;
    std::uint32_t want = x.volumeSize - position;
    int got =
        x.volume->Read(input_.get(), want < kBufferSize ? static_cast<int>(want) : kBufferSize);
    if (got <= 0)
        return false;
    x.windowStart = position;
    x.windowLength = static_cast<std::uint32_t>(got);
    return true;
}

// Reads only the header of the member whose link lies at `link`.
bool Zipage::ReadHeader(Extraction& x, std::uint32_t link, ZipageMemberHeader* member) {
    const unsigned char* bytes = Fetch(x, link, 4);
    if (!bytes || !member->SetLink(link, ZipageLe32(bytes), x.volumeSize))
        return false;
    bytes = Fetch(x, member->HeaderPosition(), member->BytesWanted());
    return bytes && member->Parse(bytes);
}

// Walks the package's headers before anything is written: a member whose
// name the machine's code page cannot spell would become a file that no
// ANSI path, and so no uninstall record, can name. A package damaged on the
// way is left to the extraction, which reports it where it lies.
bool Zipage::CheckMemberNames(Extraction& x, int packageOffset) {
    const unsigned char* count = nullptr;
    if (packageOffset < 0 || !(count = Fetch(x, static_cast<std::uint32_t>(packageOffset), 4)))
        return true;
    const std::int32_t members = static_cast<std::int32_t>(ZipageLe32(count));
    std::uint32_t link = static_cast<std::uint32_t>(packageOffset) + 4;
    for (std::int32_t i = 0; i < members; ++i) {
        ZipageMemberHeader member;
        if (!ReadHeader(x, link, &member))
            return true;
        if (!IsSpellableAnsiName(CP_ACP, member.Name())) {
            failure_.member = i;
            Fail(ZipageFailure::kUnspellable, member.Name());
            return false;
        }
        link = member.NextLink();
    }
    return true;
}

// Reads the member whose link lies at `link`, by the rules every reader of
// the layout shares.
bool Zipage::ReadMember(Extraction& x, std::uint32_t link, ZipageMemberHeader* member) {
    const unsigned char* bytes = Fetch(x, link, 4);
    if (!bytes || !member->SetLink(link, ZipageLe32(bytes), x.volumeSize))
        return false;
    // When the data and the header fit the buffer together, they are read
    // together, so that the data need not be read again.
    std::uint32_t data = member->DataPosition();
    std::uint32_t header = member->HeaderPosition();
    std::uint32_t length = member->BytesWanted();
    if (header - data + length <= kBufferSize)
        bytes = Fetch(x, data, header - data + length);
    bytes = bytes ? Fetch(x, header, length) : nullptr;
    return bytes && member->Parse(bytes);
}

// Hands the member's file to the writer and inflates into it. A name that
// would leave the destination folder is refused like an over-long one, and a
// path longer than any file can have fails as a file that cannot be made.
int Zipage::ExtractMember(Extraction& x, const ZipageMemberHeader& member) {
    char16_t name[kMaxNameLength + 1];
    if (MultiByteToWideChar(CP_ACP, 0, member.Name(), -1, name, kMaxNameLength + 1) <= 0 ||
        !IsSafeMemberName(name))
        return Fail(ZipageFailure::kName, member.Name());
    PathText path;
    path << x.destFolder << u"\\" << name;
    if (path.Length() >= MAX_PATH) {
        writer_->RefuseMember(failure_.member, member.Name());
        return Fail(ZipageFailure::kCreate, member.Name());
    }
    // The writer lists it in the journal before it makes it; a member listed
    // but never made (the writer failed before it) is simply not found later.
    if (!writer_->BeginMember(failure_.member, path.Get(), member.Name()))
        return -1;
    inflateReset(this);
    avail_in = 0;
    Inflated inflated = InflateMember(x, member.DataPosition(), member.HeaderPosition());
    if (inflated == Inflated::kWriteFailed)
        return -1;
    using Ending = ZipageFileWriter::Ending;
    bool damaged = inflated == Inflated::kDamaged;
    Ending ending = damaged                            ? Ending::kDamaged
                    : inflated == Inflated::kCancelled ? Ending::kCancelled
                                                       : Ending::kWhole;
    if (!writer_->EndMember(ending))
        return -1;
    return damaged ? Fail(ZipageFailure::kData, member.Name()) : 0;
}

// [SECTION] Inflating one member
// One inflate call into the writer's next room; what came out is handed over
// (the writer reports it once written). False once the writer has failed.
bool Zipage::InflateChunk(int flush, int* result, int* written) {
    *written = 0;
    next_out = writer_->Room();
    if (!next_out)
        return false;
    avail_out = kBufferSize;
    *result = inflate(this, flush);
    int count = kBufferSize - static_cast<int>(avail_out);
    *written = count;
    if (count == 0)
        return true;
    return writer_->AddChunk(count);
}

// The compressed data lies between the link and the header and is handed to
// inflate straight from the input buffer; input stops at the header. The
// member is whole only when its stream reaches its end, which includes
// zlib's check of the Adler-32 trailer; corrupt data or a stream that the
// header cuts short leaves it damaged.
Zipage::Inflated Zipage::InflateMember(Extraction& x, std::uint32_t position, std::uint32_t end) {
    int result = Z_OK;
    int written = 0;
    do {
        WaitWhileInstallPaused(x.pause);
        if (IsInstallFlagSet(x.cancel))
            return Inflated::kCancelled;
        if (avail_in == 0) {
            if (position >= end || !(x.InWindow(position, 1) || Refill(x, position)))
                break;
            std::uint32_t take = x.windowStart + x.windowLength - position;
            if (take > end - position)
                take = end - position;
            next_in = input_.get() + (position - x.windowStart);
            avail_in = take;
            position += take;
        }
        if (!InflateChunk(Z_NO_FLUSH, &result, &written))
            return Inflated::kWriteFailed;
    } while (result == Z_OK);

    // The input is used up: whatever inflate still holds comes out with
    // Z_FINISH, which reports Z_BUF_ERROR while output remains and after it
    // when the stream is cut short.
    while (result == Z_OK || (result == Z_BUF_ERROR && written > 0)) {
        WaitWhileInstallPaused(x.pause);
        if (IsInstallFlagSet(x.cancel))
            return Inflated::kCancelled;
        if (!InflateChunk(Z_FINISH, &result, &written))
            return Inflated::kWriteFailed;
    }
    return result == Z_STREAM_END ? Inflated::kWhole : Inflated::kDamaged;
}
