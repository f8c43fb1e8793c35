#include "platform/CodePageConverter.h"

#include "platform/Machine.h"
#include "platform/WinBase.h"

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <string>
#include <type_traits>
#include <vector>

namespace {

// UTF-16 in the host's byte order, so that char16_t text is handed to iconv
// as it lies in memory.
const char* const kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
const char16_t kReplacement = 0xFFFD;

// iconv descriptors are not safe to share between threads, and opening one
// costs far more than a short conversion: each thread keeps its own.
class IconvCache {
public:
    ~IconvCache() {
        for (const Entry& entry : entries_)
            iconv_close(entry.cd);
    }

    iconv_t Get(UINT codePage, bool toUtf16) {
        for (const Entry& entry : entries_)
            if (entry.codePage == codePage && entry.toUtf16 == toUtf16) {
                iconv(entry.cd, nullptr, nullptr, nullptr, nullptr);
                return entry.cd;
            }
        std::string name = CharsetName(codePage);
        iconv_t cd = toUtf16 ? iconv_open(kUtf16, name.c_str()) : iconv_open(name.c_str(), kUtf16);
        if (cd != reinterpret_cast<iconv_t>(-1))
            entries_.push_back({codePage, toUtf16, cd});
        return cd;
    }

private:
    struct Entry {
        UINT codePage;
        bool toUtf16;
        iconv_t cd;
    };
    std::vector<Entry> entries_;

    static std::string CharsetName(UINT codePage) {
        if (codePage == CP_UTF8)
            return "UTF-8";
        return "CP" + std::to_string(codePage);
    }
};

thread_local IconvCache cache;

bool Failed(iconv_t cd) {
    return cd == reinterpret_cast<iconv_t>(-1);
}

// Runs iconv over the whole input, growing the output as needed. onBad is
// called when the input at *in cannot be converted; it appends a
// replacement, advances the input and returns false to give up.
template <typename OnBad>
bool RunIconv(iconv_t cd, const char* in, std::size_t inSize, std::string* out, OnBad onBad) {
    char* inPtr = const_cast<char*>(in);
    std::size_t inLeft = inSize;
    std::size_t used = 0;
    out->resize(inSize * 2 + 16);
    for (;;) {
        char* outPtr = out->data() + used;
        std::size_t outLeft = out->size() - used;
        std::size_t result = inLeft ? iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft)
                                    : iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
        int err = errno;
        used = out->size() - outLeft;
        if (result != static_cast<std::size_t>(-1) && inLeft == 0)
            break;
        if (result == static_cast<std::size_t>(-1) && err == E2BIG) {
            out->resize(out->size() * 2);
            continue;
        }
        if (result == static_cast<std::size_t>(-1) && err != EILSEQ && err != EINVAL)
            return false;
        if (inLeft == 0)
            break;
        out->resize(used);
        if (!onBad(&inPtr, &inLeft, out))
            return false;
        used = out->size();
        out->resize(used + inLeft * 2 + 16);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out->resize(used);
    return true;
}

// Every code page the machine uses (1252, 932, UTF-8) keeps ASCII as it is,
// and most texts are ASCII: those skip iconv.
template <typename Char> bool IsAscii(const Char* text, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        if (static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<Char>>(text[i])) >= 0x80)
            return false;
    return true;
}

bool KeepsAscii(UINT codePage) {
    return codePage == 1252 || codePage == 932 || codePage == CP_UTF8;
}

// The five bytes that code page 1252 leaves without a character (0x81, 0x8D,
// 0x8F, 0x90, 0x9D): Windows maps them to and from the C1 controls of the
// same value, so a name holding one goes round and is no invalid text.
// iconv knows no character for them; these are converted here.
bool Is1252Gap(std::uint32_t c) {
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

UINT CodePageConverter::Resolve(UINT codePage) {
    if (codePage == CP_ACP)
        return GetACP();
    return codePage;
}

bool CodePageConverter::ToUtf16(UINT codePage, const char* in, std::size_t size,
                                std::u16string* out, bool* hadInvalid) {
    *hadInvalid = false;
    UINT resolved = Resolve(codePage);
    if (KeepsAscii(resolved) && IsAscii(in, size)) {
        out->assign(in, in + size);
        return true;
    }
    iconv_t cd = cache.Get(resolved, true);
    if (Failed(cd))
        return false;
    std::string bytes;
    auto onBad = [hadInvalid, resolved](char** inPtr, std::size_t* inLeft, std::string* sink) {
        const auto byte = static_cast<unsigned char>(**inPtr);
        const char16_t control = byte;
        const bool gap = resolved == 1252 && Is1252Gap(byte);
        *hadInvalid = *hadInvalid || !gap;
        const char16_t& unit = gap ? control : kReplacement;
        sink->append(reinterpret_cast<const char*>(&unit), sizeof unit);
        ++*inPtr;
        --*inLeft;
        return true;
    };
    if (!RunIconv(cd, in, size, &bytes, onBad))
        return false;
    out->resize(bytes.size() / 2);
    std::memcpy(out->data(), bytes.data(), out->size() * 2);
    return true;
}

bool CodePageConverter::FromUtf16(UINT codePage, const char16_t* in, std::size_t size,
                                  std::string* out, const char* defaultChar, bool* usedDefault) {
    *usedDefault = false;
    UINT resolved = Resolve(codePage);
    if (KeepsAscii(resolved) && IsAscii(in, size)) {
        out->assign(in, in + size);
        return true;
    }
    iconv_t cd = cache.Get(resolved, false);
    if (Failed(cd))
        return false;
    std::string replacement = resolved == CP_UTF8           ? std::string("\xEF\xBF\xBD")
                              : defaultChar && *defaultChar ? std::string(1, *defaultChar)
                                                            : std::string("?");
    const char* start = reinterpret_cast<const char*>(in);
    auto onBad = [&](char** inPtr, std::size_t* inLeft, std::string* sink) {
        std::size_t unit = static_cast<std::size_t>(*inPtr - start) / 2;
        if (resolved == 1252 && Is1252Gap(in[unit])) {
            sink->push_back(static_cast<char>(in[unit]));
            *inPtr += 2;
            *inLeft -= 2;
            return true;
        }
        *usedDefault = true;
        sink->append(replacement);
        std::size_t skip = 2;
        if (*inLeft >= 4 && IsHighSurrogate(in[unit]) && IsLowSurrogate(in[unit + 1]))
            skip = 4;
        if (skip > *inLeft)
            skip = *inLeft;
        *inPtr += skip;
        *inLeft -= skip;
        return true;
    };
    return RunIconv(cd, start, size * 2, out, onBad);
}

std::size_t CodePageConverter::CutLength(UINT codePage, const std::string& text,
                                         std::size_t limit) {
    if (limit >= text.size())
        return text.size();
    UINT resolved = Resolve(codePage);
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (resolved == CP_UTF8) {
        std::size_t cut = limit;
        while (cut > 0 && (byte(cut) & 0xC0) == 0x80)
            --cut;
        return cut;
    }
    if (resolved == 932) {
        std::size_t i = 0;
        while (i < limit) {
            unsigned char c = byte(i);
            std::size_t width = ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) ? 2 : 1;
            if (i + width > limit)
                break;
            i += width;
        }
        return i;
    }
    return limit;
}
