// A PE image file (PE32 or PE32+) read in place through bounded reads: its
// headers, the resource data directory and the section table, and reads of
// the bytes at a relative virtual address (RVA). Nothing is loaded or mapped;
// every count, offset and length is checked against the bytes the file
// really holds. Internal to the platform layer.
#pragma once

#include "platform/WinTypes.h"

#include <vector>

class PeImageFile {
public:
    // Reads the headers of the image in the host file fd (kept open by the
    // caller). ERROR_SUCCESS, or ERROR_BAD_EXE_FORMAT when the file is not a
    // PE image or its headers or section table are cut short.
    DWORD Open(int fd);

    // The RVA of the resource tree (data directory 2); 0 when there is none.
    DWORD ResourceRva() const { return resourceRva_; }

    // Reads size bytes at an RVA; false unless they all lie in the file data
    // of one section.
    bool ReadRva(ULONGLONG rva, void* out, std::size_t size) const;
    // Reads size bytes at a file offset; false unless they all lie in the file.
    bool ReadAt(ULONGLONG offset, void* out, std::size_t size) const;

private:
    struct Section {
        DWORD virtualAddress;
        DWORD virtualSize;
        DWORD rawSize;
        DWORD rawOffset;
    };

    bool ReadOptionalHeader(ULONGLONG offset, WORD size);
    bool ReadSectionTable(ULONGLONG offset, WORD count);

    int fd_ = -1;
    ULONGLONG fileSize_ = 0;
    DWORD resourceRva_ = 0;
    std::vector<Section> sections_;
};
