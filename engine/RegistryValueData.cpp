#include "engine/RegistryValueData.h"

#include "platform/WinReg.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

void FormLittleEndian(std::uint64_t number, DWORD size, RegistryValueData* data) {
    for (DWORD i = 0; i < size; ++i)
        data->bytes[i] = static_cast<BYTE>(number >> (8 * i));
    data->size = size;
}

void FormText(RegistryValueData* data) {
    data->size = static_cast<DWORD>(std::strlen(reinterpret_cast<const char*>(data->bytes)) + 1);
}

} // namespace

bool FormRegistryValueData(const RegistryValueRecord& value, const ExpandSetupText& expand,
                           bool toRegistryFile, RegistryValueData* data) {
    char* text = reinterpret_cast<char*>(data->bytes);
    const auto number = static_cast<std::int64_t>(value.number);
    const auto type = static_cast<DWORD>(value.type);
    if (type == REG_SZ) {
        expand(value.text, text, RegistryValueData::kSize);
        text[RegistryValueData::kSize - 1] = '\0';
        FormText(data);
        return data->size <= RegistryValueData::kMaxTextLength + 1;
    }
    if (!toRegistryFile && type == REG_DWORD) {
        FormLittleEndian(static_cast<std::uint64_t>(number), 4, data);
    } else if (!toRegistryFile && type == REG_QWORD) {
        FormLittleEndian(static_cast<std::uint64_t>(number), 8, data);
    } else {
        std::snprintf(text, RegistryValueData::kSize, "%d", static_cast<int>(value.number));
        FormText(data);
    }
    return true;
}
