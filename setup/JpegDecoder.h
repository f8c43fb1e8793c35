// JpegDecoder: one JPEG file read scanline by scanline through libjpeg (API
// version 62) with its stdio source, as R, G, B triples. The standard error
// manager keeps its behaviour except for two hooks: a message (the first
// warning of a file, such as corrupt data or a premature end) is shown in a
// message box titled "Talvic" over the active window, and a fatal error
// leaves the library through longjmp, after which the decoder is failed and
// the picture counts as missing.
//
// Sides of 0 or above kMaxSide are refused after the header, before the
// library allocates anything for the image; the library's own memory is
// bounded by kMaxMemory.
#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

class JpegDecoder {
public:
    static constexpr int kMaxSide = 8192;
    static constexpr long kMaxMemory = 96L << 20;

    // Opens the file ("rb"), reads its header and starts decompressing to
    // R, G, B. Failed() tells whether any of it went wrong.
    explicit JpegDecoder(const char16_t* path);
    ~JpegDecoder();
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    bool Failed() const { return failed_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // The next scanline (Width() x 3 bytes, R, G, B) into row; false after a
    // fatal error or past the last scanline.
    bool ReadScanline(unsigned char* row);

private:
    struct ErrorManager {
        jpeg_error_mgr standard;
        std::jmp_buf exit;
    };

    bool Start();
    static void OutputMessage(j_common_ptr info);
    [[noreturn]] static void ErrorExit(j_common_ptr info);

    std::FILE* file_ = nullptr;
    jpeg_decompress_struct info_ = {};
    ErrorManager errors_ = {};
    bool created_ = false;
    bool failed_ = true;
    int width_ = 0;
    int height_ = 0;
};
