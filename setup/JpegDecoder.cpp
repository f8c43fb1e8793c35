#include "setup/JpegDecoder.h"

#include "toolkit/KIVSystem.h"

#include "platform/Windows.h"

// Every setjmp below sits in a function whose own locals have trivial
// destructors, so that a longjmp out of the library skips nothing.

JpegDecoder::JpegDecoder(const char16_t* path) : file_(KIVFileOpen(path, "rb")) {
    if (file_)
        failed_ = !Start();
}

JpegDecoder::~JpegDecoder() {
    if (created_)
        jpeg_destroy_decompress(&info_);
    if (file_)
        std::fclose(file_);
}

bool JpegDecoder::Start() {
    info_.err = jpeg_std_error(&errors_.standard);
    errors_.standard.output_message = OutputMessage;
    errors_.standard.error_exit = ErrorExit;
    if (setjmp(errors_.exit))
        return false;
    jpeg_create_decompress(&info_);
    created_ = true;
    // A progressive file keeps all its coefficients while it is read: past
    // this the library fails the file instead of allocating.
    info_.mem->max_memory_to_use = kMaxMemory;
    jpeg_stdio_src(&info_, file_);
    jpeg_read_header(&info_, TRUE);
    if (info_.image_width == 0 || info_.image_height == 0 || info_.image_width > kMaxSide ||
        info_.image_height > kMaxSide)
        return false;
    info_.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info_);
    if (info_.output_components != 3 || info_.output_width == 0 || info_.output_height == 0 ||
        info_.output_width > kMaxSide || info_.output_height > kMaxSide)
        return false;
    width_ = static_cast<int>(info_.output_width);
    height_ = static_cast<int>(info_.output_height);
    return true;
}

bool JpegDecoder::ReadScanline(unsigned char* row) {
    if (failed_ || info_.output_scanline >= info_.output_height)
        return false;
    if (setjmp(errors_.exit)) {
        failed_ = true;
        return false;
    }
    JSAMPROW rows[1] = {row};
    return jpeg_read_scanlines(&info_, rows, 1) == 1;
}

void JpegDecoder::OutputMessage(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    MessageBoxA(GetActiveWindow(), text, "Talvic", MB_ICONERROR);
}

void JpegDecoder::ErrorExit(j_common_ptr info) {
    // standard is the first member: the library's pointer is the manager's.
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->exit, 1);
}
