#include "toolkit/resources/KIVDialogFile.h"

namespace {

// A stretch of the file that reads must stay inside: a record's own bytes.
class Cursor {
public:
    Cursor(const KIVResourceSource& file, std::uint64_t at, std::uint64_t end)
        : file_(file), at_(at), end_(end) {}

    bool Long(LONG* value) {
        if (!Fits(4) || !file_.ReadLong(at_, value))
            return false;
        at_ += 4;
        return true;
    }
    // count UTF-16 units, kept up to the first zero.
    bool Text(LONG count, std::u16string* text) {
        if (count < 0 || !Fits(std::uint64_t{static_cast<std::uint32_t>(count)} * 2))
            return false;
        std::vector<BYTE> bytes(static_cast<std::size_t>(count) * 2);
        if (!file_.ReadAt(at_, bytes.data(), static_cast<std::uint32_t>(bytes.size())))
            return false;
        at_ += bytes.size();
        text->clear();
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            const char16_t ch = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
            if (ch == 0)
                break;
            *text += ch;
        }
        return true;
    }
    bool LengthAndText(std::u16string* text) {
        LONG count = -1;
        return Long(&count) && Text(count, text);
    }
    bool Rest(std::vector<BYTE>* bytes) {
        bytes->resize(static_cast<std::size_t>(end_ - at_));
        return file_.ReadAt(at_, bytes->data(), static_cast<std::uint32_t>(bytes->size()));
    }

private:
    bool Fits(std::uint64_t count) const { return at_ <= end_ && count <= end_ - at_; }

    const KIVResourceSource& file_;
    std::uint64_t at_;
    std::uint64_t end_;
};

bool ReadControlFields(Cursor& cursor, KIVControlRecord* record) {
    return cursor.Long(&record->id) && cursor.Long(&record->left) && cursor.Long(&record->top) &&
           cursor.Long(&record->right) && cursor.Long(&record->bottom) &&
           cursor.Long(&record->state) && cursor.Long(&record->style) &&
           cursor.Long(&record->font) && cursor.LengthAndText(&record->text) &&
           cursor.LengthAndText(&record->tooltip) && cursor.Rest(&record->classFields);
}

} // namespace

bool KIVDialogFile::ReadControl(const KIVResourceSource& file, std::uint64_t offset,
                                KIVControlRecord* record, std::uint64_t* next, bool* complete) {
    LONG type = 0;
    LONG size = -1;
    if (!file.ReadLong(offset, &type) || !file.ReadLong(offset + 4, &size) || size < 0 ||
        !file.Holds(offset + 8, static_cast<std::uint64_t>(size)))
        return false;
    const std::uint64_t end = offset + 8 + static_cast<std::uint64_t>(size);
    *next = end;
    *record = KIVControlRecord();
    record->type = type;
    Cursor cursor(file, offset + 8, end);
    *complete = ReadControlFields(cursor, record);
    return true;
}

bool KIVDialogFile::ReadLayout(const KIVResourceSource& file, LONG id, KIVDialogLayout* layout) {
    std::uint64_t offset = 0;
    LONG headerSize = -1;
    if (!file.ItemOffset(id, &offset) || !file.ReadLong(offset, &headerSize) || headerSize < 0 ||
        !file.Holds(offset + 4, static_cast<std::uint64_t>(headerSize)))
        return false;
    KIVDialogLayout read;
    const std::uint64_t controlsAt = offset + 4 + static_cast<std::uint64_t>(headerSize);
    Cursor header(file, offset + 4, controlsAt);
    LONG titleLength = -1;
    LONG count = -1;
    if (!header.Long(&read.x) || !header.Long(&read.y) || !header.Long(&read.width) ||
        !header.Long(&read.height) || !header.Long(&read.leftMargin) ||
        !header.Long(&read.topMargin) || !header.Long(&read.flags) || !header.Long(&titleLength) ||
        !header.Text(titleLength, &read.title) || !header.Long(&count))
        return false;
    std::uint64_t at = controlsAt;
    for (LONG i = 0; i < count; ++i) {
        KIVControlRecord record;
        bool complete = false;
        if (!ReadControl(file, at, &record, &at, &complete))
            break;
        if (complete)
            read.controls.push_back(std::move(record));
    }
    *layout = std::move(read);
    return true;
}
