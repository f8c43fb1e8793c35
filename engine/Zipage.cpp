// [SECTION] Helpers
// [SECTION] Construction and volumes
// [SECTION] Package and member headers
// [SECTION] Inflating one member
#include "engine/Zipage.h"

#include "engine/CreateFolderPath.h"
#include "engine/InstalledFileList.h"
#include "engine/MemberName.h"
#include "platform/Windows.h"
#include "toolkit/KIVFileStream.h"

#include <cstring>

// [SECTION] Helpers
namespace {
constexpr int kPathChars = 520; // a folder and a name of up to 259 characters each
constexpr int kHeaderSize = 12;

std::uint32_t Le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool Read32(KIVFileStream& stream, std::uint32_t* value) {
    unsigned char bytes[4];
    if (stream.Read(bytes, 4) != 4)
        return false;
    *value = Le32(bytes);
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

private:
    char16_t chars_[kPathChars] = {};
    int length_ = 0;
};

bool IsSet(const std::atomic<unsigned char>* flag) {
    return flag && flag->load(std::memory_order_acquire) != 0;
}

void WaitWhilePaused(const std::atomic<unsigned char>* pause) {
    while (IsSet(pause))
        Sleep(10);
}
} // namespace

struct Zipage::Member {
    std::uint32_t dataPosition;
    std::uint32_t headerPosition;
    std::uint32_t nextLink;
    char name[kMaxNameLength + 1];
};

struct Zipage::Extraction {
    KIVFileStream* volume;
    std::uint32_t volumeSize;
    const char16_t* destFolder;
    ZipageBytesCallback onBytes;
    ZipageNameCallback onName;
    const std::atomic<unsigned char>* cancel;
    const std::atomic<unsigned char>* pause;
    InstalledFileList* installedFiles;
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
    : z_stream_s{}, input_(new unsigned char[kBufferSize]),
      output_(new unsigned char[kBufferSize]) {}

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
    if (volumeIndex < 0 || volumeIndex >= kVolumeSlots)
        return nullptr;
    if (!multiVolume_)
        return volumes_[0].get();
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
    KIVFileStream* volume = ChooseVolume(volumeIndex);
    if (!volume)
        return -1;
    CreateFolderPath(destFolder);
    Extraction x{volume,     static_cast<std::uint32_t>(volume->GetSize()),
                 destFolder, onBytes,
                 onName,     cancelFlag,
                 pauseFlag,  installedFiles,
                 0,          0};
    const unsigned char* count = nullptr;
    if (packageOffset < 0 || !(count = Fetch(x, static_cast<std::uint32_t>(packageOffset), 4)))
        return -1;
    std::int32_t members = static_cast<std::int32_t>(Le32(count));
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
        return -1;
    int result = 0;
    std::uint32_t link = static_cast<std::uint32_t>(packageOffset) + 4;
    for (std::int32_t i = 0; i < members; ++i) {
        WaitWhilePaused(pauseFlag);
        if (IsSet(cancelFlag))
            break;
        Member member;
        if (!ReadMember(x, link, &member) || ExtractMember(x, member) != 0) {
            result = -1;
            break;
        }
        link = member.nextLink;
    }
    inflateEnd(this);
    return result;
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

// Reads the member whose link lies at `link`. Its header must lie inside the
// volume and after the link, so that every member moves the reader forward.
bool Zipage::ReadMember(Extraction& x, std::uint32_t link, Member* member) {
    const unsigned char* bytes = Fetch(x, link, 4);
    if (!bytes)
        return false;
    std::uint32_t header = Le32(bytes);
    std::uint32_t data = link + 4;
    if (header < data || header > x.volumeSize || x.volumeSize - header < kHeaderSize)
        return false;
    // Room for the longest name. When the data and the header fit the buffer
    // together, they are read together.
    std::uint32_t length = x.volumeSize - header;
    if (length > kHeaderSize + kMaxNameLength)
        length = kHeaderSize + kMaxNameLength;
    if (header - data + length <= kBufferSize)
        bytes = Fetch(x, data, header - data + length);
    bytes = bytes ? Fetch(x, header, length) : nullptr;
    if (!bytes)
        return false;
    std::uint32_t nameLength = Le32(bytes + 8);
    if (nameLength > kMaxNameLength || nameLength > length - kHeaderSize)
        return false;
    std::memcpy(member->name, bytes + kHeaderSize, nameLength);
    member->name[nameLength] = 0;
    member->dataPosition = data;
    member->headerPosition = header;
    member->nextLink = header + kHeaderSize + nameLength;
    return true;
}

// Makes the member's file and inflates into it. A name that would leave the
// destination folder is refused like an over-long one.
int Zipage::ExtractMember(Extraction& x, const Member& member) {
    char16_t name[kMaxNameLength + 1];
    if (MultiByteToWideChar(CP_ACP, 0, member.name, -1, name, kMaxNameLength + 1) <= 0 ||
        !IsSafeMemberName(name))
        return -1;
    if (x.onName)
        x.onName(member.name);
    PathText path;
    path << x.destFolder << u"\\" << name;
    KIVFileStream output;
    if (!output.Open(KIVFileStream::kRawWrite, path.Get(), 0))
        return -1;
    if (x.installedFiles) {
        char ansiPath[InstalledFileList::kPathSize];
        if (WideCharToMultiByte(CP_ACP, 0, path.Get(), -1, ansiPath, sizeof(ansiPath), nullptr,
                                nullptr) <= 0)
            ansiPath[0] = 0;
        x.installedFiles->Add(ansiPath);
    }
    inflateReset(this);
    avail_in = 0;
    next_out = output_.get();
    avail_out = kBufferSize;
    return InflateMember(x, output, member.dataPosition, member.headerPosition) ? 0 : -1;
}

// [SECTION] Inflating one member
// Writes what the output buffer holds and empties it. Reports the byte count
// through onBytes; false when the file took fewer bytes (a full disk).
bool Zipage::Flush(Extraction& x, KIVFileStream& output, int* written) {
    int count = kBufferSize - static_cast<int>(avail_out);
    *written = count;
    if (count == 0)
        return true;
    if (output.Write(output_.get(), count) != count)
        return false;
    next_out = output_.get();
    avail_out = kBufferSize;
    if (x.onBytes)
        x.onBytes(count);
    return true;
}

// The compressed data lies between the link and the header and is handed to
// inflate straight from the input buffer; input stops at the header, so a
// stream that is cut short ends there. An inflate result other than Z_OK (the
// stream's end, or corrupt data) ends the member quietly; the file keeps what
// was written.
bool Zipage::InflateMember(Extraction& x, KIVFileStream& output, std::uint32_t position,
                           std::uint32_t end) {
    int result = Z_OK;
    int written = 0;
    bool cancelled = false;
    do {
        WaitWhilePaused(x.pause);
        if ((cancelled = IsSet(x.cancel)))
            break;
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
        result = inflate(this, Z_NO_FLUSH);
        if (!Flush(x, output, &written))
            return false;
    } while (result == Z_OK);

    // Whatever inflate still holds comes out with Z_FINISH.
    while (!cancelled) {
        WaitWhilePaused(x.pause);
        if (IsSet(x.cancel))
            break;
        result = inflate(this, Z_FINISH);
        if (!Flush(x, output, &written))
            return false;
        if (written == 0 || result != Z_OK)
            break;
    }
    return true;
}
