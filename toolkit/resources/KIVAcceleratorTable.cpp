#include "toolkit/resources/KIVAcceleratorTable.h"

namespace {

constexpr LONG kModifierMask =
    KIVAcceleratorTable::kShift | KIVAcceleratorTable::kControl | KIVAcceleratorTable::kAlt;

bool ReadRecord(const KIVResourceSource& file, std::uint64_t at, KIVAccelerator* record) {
    return file.ReadLong(at, &record->key) && file.ReadLong(at + 4, &record->modifiers) &&
           file.ReadLong(at + 8, &record->command) && file.ReadLong(at + 12, &record->flag) &&
           file.ReadLong(at + 16, &record->value);
}

} // namespace

bool KIVAcceleratorTable::Load(const KIVResourceSource& file) {
    entries_.clear();
    LONG count = -1;
    const std::uint64_t first = kCountOffset + 4;
    if (!file.ReadLong(kCountOffset, &count) || count < 0 ||
        !file.Holds(first, std::uint64_t{kRecordSize} * static_cast<std::uint64_t>(count)))
        return false;
    std::vector<KIVAccelerator> read(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < read.size(); ++i)
        if (!ReadRecord(file, first + kRecordSize * i, &read[i]))
            return false;
    entries_ = std::move(read);
    return true;
}

const KIVAccelerator* KIVAcceleratorTable::Find(LONG key, bool shift, bool control,
                                                bool alt) const {
    const LONG state = (shift ? kShift : 0) | (control ? kControl : 0) | (alt ? kAlt : 0);
    for (const KIVAccelerator& entry : entries_)
        if (entry.key == key && (entry.modifiers & kModifierMask) == state)
            return &entry;
    return nullptr;
}

const KIVAccelerator* KIVAcceleratorTable::FindCommand(LONG command) const {
    for (const KIVAccelerator& entry : entries_)
        if (entry.command == command)
            return &entry;
    return nullptr;
}
