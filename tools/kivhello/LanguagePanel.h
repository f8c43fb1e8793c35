// One language's row of the greeting window: the language's name in its bold
// font and its greeting and sentence in its regular font, read from that
// language's compiled resources ("<folder>\<Language>\Setup.ers" and
// ".erf"; the Japanese font with its double-byte characters).
#pragma once

#include "toolkit/KIVString.h"
#include "toolkit/resources/KIVDrawBuffer.h"
#include "toolkit/resources/KIVFont.h"

#include <memory>

class LanguagePanel {
public:
    static constexpr int kHeight = 70;

    // False when the language's texts or fonts cannot be read.
    bool Load(const KIVString& resourceFolder, const char* language, bool japanese);
    void Draw(const KIVDrawBuffer& buffer, int top) const;

private:
    KIVString name_, greeting_, sentence_;
    std::unique_ptr<KIVFont> regular_, bold_;
};
