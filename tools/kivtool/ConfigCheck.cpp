#include "tools/kivtool/ConfigCheck.h"

#include "toolkit/KIVAnsiName.h"

void CheckSetupDescription(const SetupDescription& d, ConfigProblems& problems) {
    CheckHeader(d, problems);
    CheckInstallEntries(d, problems);
    CheckComponents(d, problems);
    CheckSetupTypes(d, problems);
    CheckShortcuts(d, problems);
    CheckRegistryKeys(d, problems);
    CheckOptions(d, problems);
    CheckTexts(d, problems);
    CheckNumbers(d, problems);
}

char ForbiddenNameCharacter(std::string_view text, bool allowBackslash) {
    // A double-byte character is never forbidden, whatever its trail byte.
    for (std::size_t at = 0; at < text.size(); at += KIVAnsiName::CharLength(text, at)) {
        const char c = text[at];
        if (KIVAnsiName::CharLength(text, at) == 1 &&
            (std::string_view("/:*?\"<>|").find(c) != std::string_view::npos ||
             (c == '\\' && !allowBackslash)))
            return c;
    }
    return '\0';
}

std::string ExtraLanguageBits(std::int32_t languages) {
    std::string bits;
    const std::uint32_t extra =
        static_cast<std::uint32_t>(languages) & ~std::uint32_t{kAllLanguages};
    for (int bit = 4; bit < 32; ++bit) {
        if (!(extra & (std::uint32_t{1} << bit)))
            continue;
        bits += bits.empty() ? "" : ", ";
        bits += std::to_string(std::uint32_t{1} << bit);
    }
    return bits;
}
