#include "tools/kivtool/DistOptionTable.h"

#include <cstring>

const DistOptionInfo kDistOptions[28] = {
    {"alt-agreement", 1, true, "0"},
    {"full-screen", 2, true, "1"},
    {"program-group", 3, true, "1"},
    {"start-product", 4, true, "1"},
    {nullptr, 5, true, "0"},
    {"keys-to-registry-file", 6, true, "0"},
    {"registry-file", 7, false, ""},
    {"startup-link", 8, true, "0"},
    {"user-page", 9, true, "1"},
    {"user-name", 10, true, "1"},
    {"company-field", 11, true, "1"},
    {"update-mode", 12, true, "0"},
    {"previous-file", 13, false, ""},
    {nullptr, 14, true, "0"},
    {"delete-registry-file", 15, true, "0"},
    {"source-path", 16, false, ""},
    {nullptr, 17, false, ""},
    {"language-page", 18, true, "1"},
    {"setup-type-page", 19, true, "1"},
    {nullptr, 20, false, ""},
    {"intro-page", 21, true, "1"},
    {"licence-page", 22, true, "1"},
    {"install", 23, true, "1"},
    {"read-back", 24, true, "1"},
    {nullptr, 25, true, "0"},
    {"read-back-user", 26, true, "1"},
    {"read-back-company", 27, true, "1"},
    {"read-back-folder", 28, true, "1"},
};

const DistOptionInfo* FindDistOption(const char* key) {
    for (const DistOptionInfo& option : kDistOptions)
        if (option.key && std::strcmp(option.key, key) == 0)
            return &option;
    return nullptr;
}
