// KIVFileStream: the toolkit's byte stream over a file (a platform file handle
// from KIVCreateFile) or over a movable global memory block. It keeps its own
// end-reached flag, reads multi-byte values in either byte order and reads and
// writes the tagged values of the toolkit's data files.
//
// Modes:
//   0 memory read (the caller's block, read in place)   1 memory write (own block)
//   2 file read, marker byte consumed                    3 file write, marker byte written
//   4 file raw read                                      5 file raw write
//   8 read/write, create, marker 255 written             9 read/write, create
//  10 read/write, append, marker read (or 255 written)  11 read/write, append
// "Native" order stores multi-byte values least significant byte first; a
// stream that is not native reverses them on ReadOrdered and WriteOrdered.
#pragma once

#include "platform/Windows.h"

class KIVFileStream {
public:
    enum {
        kMemoryRead = 0,
        kMemoryWrite = 1,
        kRead = 2,
        kWrite = 3,
        kRawRead = 4,
        kRawWrite = 5,
        kReadWriteMarked = 8,
        kReadWrite = 9,
        kAppendMarked = 10,
        kAppend = 11,
    };
    static constexpr int kGrowthStep = 16384;
    static constexpr BYTE kNativeMarker = 255;

    KIVFileStream() = default;
    // Frees what the stream holds (see Free).
    ~KIVFileStream();
    KIVFileStream(const KIVFileStream&) = delete;
    KIVFileStream& operator=(const KIVFileStream&) = delete;

    // Opens a file in one of the file modes; any stream held before is freed
    // first. The path is kept (at most 259 characters; a longer one, which no
    // file can have, is not kept). Returns IsOpen().
    bool Open(int mode, const char16_t* path, int marker);
    // Mode 0: reads the caller's block in place (the caller keeps it).
    // Mode 1: writes into a new block of 16384 bytes owned by the stream.
    // The marker argument 255 selects the native order. False on a bad mode or
    // when no block can be had.
    bool OpenMemory(int mode, HGLOBAL block, int marker);
    // True for a file mode whose handle is valid; false for the memory modes.
    bool IsOpen() const;

    int Read(void* buffer, int count);
    int ReadOrdered(void* buffer, int count);
    int Write(const void* buffer, int count);
    int WriteOrdered(const void* buffer, int count);

    int Tell() const;
    // The file's current size; 0 for the memory modes.
    int GetSize() const;
    // origin 0 from the start, 1 from the current position, 2 from the end.
    // Returns the new position, or -1 when the file refuses to move.
    int Seek(int distance, int origin);
    bool IsEnd() const;

    void Close();
    void Free();
    // Deletes the file at the stored path (narrow platform call); close first.
    void DeleteFile();
    // Whether the path opens for raw reading; leaves nothing behind.
    static bool Exists(const char16_t* path);

    // Tagged values: a 16-bit tag in the stream's order, then the payload.
    // Reads succeed when the tag matches and every read is complete.
    bool ReadTaggedByte(BYTE* value);
    bool WriteTaggedByte(BYTE value);
    bool ReadTaggedLong(LONG* value);
    bool WriteTaggedLong(LONG value);
    // A colour 0x00BBGGRR is stored as its bytes BB, GG, RR.
    bool ReadTaggedColour(DWORD* colour);
    bool WriteTaggedColour(DWORD colour);

    int Mode() const { return mode_; }
    bool IsNativeOrder() const { return native_; }
    // Memory write mode: the amount of data written and the block's capacity;
    // the block itself, which Detach hands over to the caller for good.
    int DataSize() const { return size_; }
    int Capacity() const { return capacity_; }
    HGLOBAL Detach();
    const char16_t* Path() const { return path_; }

private:
    bool IsMemory() const { return mode_ == kMemoryRead || mode_ == kMemoryWrite; }
    bool OpenHandle(int mode, const char16_t* path);
    void ReadMarker(bool writeWhenEmpty);
    int ReadMemory(void* buffer, int count);
    int WriteMemory(const void* buffer, int count);
    bool Grow(int needed);
    bool ReadTag(WORD expected);
    bool WriteTag(WORD tag);
    void StorePath(const char16_t* path);

    HANDLE handle_ = INVALID_HANDLE_VALUE;
    bool native_ = true;
    int mode_ = kRawRead;
    int position_ = 0;
    int capacity_ = 0;
    bool endReached_ = false;
    int size_ = 0;
    char16_t path_[MAX_PATH] = {};
    int growthStep_ = kGrowthStep;
};
