#include "toolkit/KIVPathEllipsis.h"

#include "toolkit/KIVAnsiName.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

// The byte offset where each character of text starts, and the end.
std::vector<std::size_t> CharacterStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < text.size(); at += KIVAnsiName::CharLength(text, at))
        starts.push_back(at);
    starts.push_back(text.size());
    return starts;
}

bool Fits(const KIVString& text, const KIVFont& font, int width) {
    return KIVTextPainter::MeasureText(font, text, text.GetLength()) <= width;
}

// The first head and the last tail characters with "..." between them; the
// end keeps the extra character, as the file's name matters most.
KIVString Shortened(std::string_view text, const std::vector<std::size_t>& starts, int kept) {
    const int count = static_cast<int>(starts.size()) - 1;
    const int tail = (kept + 1) / 2, head = kept - tail;
    const std::string cut = std::string(text.substr(0, starts[head])) + "..." +
                            std::string(text.substr(starts[count - tail]));
    return KIVString(cut.c_str());
}

} // namespace

KIVString KIVPathEllipsis(const char* ansiPath, const KIVFont& font, int width) {
    const std::string_view text(ansiPath ? ansiPath : "");
    const KIVString whole(std::string(text).c_str());
    if (Fits(whole, font, width))
        return whole;
    const std::vector<std::size_t> starts = CharacterStarts(text);
    // The most characters kept that still fit: fewer characters never make
    // the text wider, so the search halves the range each time.
    int low = 0, high = static_cast<int>(starts.size()) - 2;
    while (low < high) {
        const int kept = (low + high + 1) / 2;
        if (Fits(Shortened(text, starts, kept), font, width))
            low = kept;
        else
            high = kept - 1;
    }
    return Shortened(text, starts, low);
}
