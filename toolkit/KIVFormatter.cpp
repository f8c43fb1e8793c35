// [SECTION] Arguments and directives: reading "%[flags][width][.precision][size]conversion"
// [SECTION] Output: a writer that never passes the end of its buffer
// [SECTION] Fields: numbers, floating point, characters and texts
// [SECTION] Estimate
// [SECTION] Format
#include "toolkit/KIVFormatter.h"

#include "platform/WinBase.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// [SECTION] Arguments and directives

// Owns a copy of the caller's va_list so that helpers can take it by reference.
struct Args {
    va_list ap;
    explicit Args(va_list source) { va_copy(ap, source); }
    ~Args() { va_end(ap); }
    Args(const Args&) = delete;
    Args& operator=(const Args&) = delete;
};

enum class Size { Default, Short, Long, Int64, PtrSize };

struct Directive {
    bool left = false, plus = false, blank = false, zero = false;
    int alternate = 0;  // number of "#" flags
    int width = 0;
    int precision = -1; // -1: none given
    Size size = Size::Default;
    char16_t conversion = 0;
};

constexpr int kMaxField = KIVFormatter::kMaxEstimate;

int ReadNumber(const char16_t*& p) {
    int value = 0;
    while (*p >= u'0' && *p <= u'9') {
        value = std::min(value * 10 + (*p - u'0'), kMaxField);
        ++p;
    }
    return value;
}

void ReadFlags(const char16_t*& p, Directive& d) {
    for (;; ++p) {
        switch (*p) {
        case u'-': d.left = true; break;
        case u'+': d.plus = true; break;
        case u'0': d.zero = true; break;
        case u' ': d.blank = true; break;
        case u'#': ++d.alternate; break;
        default: return;
        }
    }
}

// A negative "*" width means left alignment, a negative "*" precision none.
void ReadWidthAndPrecision(const char16_t*& p, Args& args, Directive& d) {
    if (*p == u'*') {
        ++p;
        int width = va_arg(args.ap, int);
        if (width < 0) {
            d.left = true;
            width = width == INT32_MIN ? kMaxField : -width;
        }
        d.width = std::min(width, kMaxField);
    } else {
        d.width = ReadNumber(p);
    }
    if (*p != u'.')
        return;
    ++p;
    if (*p == u'*') {
        ++p;
        int precision = va_arg(args.ap, int);
        d.precision = precision < 0 ? -1 : std::min(precision, kMaxField);
    } else {
        d.precision = ReadNumber(p);
    }
}

void ReadSize(const char16_t*& p, Directive& d) {
    for (;;) {
        if (p[0] == u'I' && p[1] == u'6' && p[2] == u'4') {
            d.size = Size::Int64, p += 3;
        } else if (p[0] == u'I' && p[1] == u'3' && p[2] == u'2') {
            d.size = Size::Default, p += 3;
        } else if (p[0] == u'I') {
            d.size = Size::PtrSize, ++p;
        } else if (p[0] == u'l' && p[1] == u'l') {
            d.size = Size::Int64, p += 2;
        } else if (p[0] == u'h') {
            d.size = Size::Short, ++p;
        } else if (p[0] == u'l' || p[0] == u'w') {
            d.size = Size::Long, ++p;
        } else if (p[0] == u'L' || p[0] == u'F' || p[0] == u'N') {
            ++p; // long double is double; far and near pointers are plain
        } else {
            return;
        }
    }
}

// p points behind the "%"; leaves p behind the conversion character (or at
// the terminator when the format ends inside the directive).
Directive ReadDirective(const char16_t*& p, Args& args) {
    Directive d;
    ReadFlags(p, d);
    ReadWidthAndPrecision(p, args, d);
    ReadSize(p, d);
    d.conversion = *p;
    if (*p)
        ++p;
    return d;
}

bool IsInteger(char16_t c) {
    return c == u'd' || c == u'i' || c == u'o' || c == u'u' || c == u'x' || c == u'X';
}

bool IsFloat(char16_t c) {
    return c == u'e' || c == u'E' || c == u'f' || c == u'g' || c == u'G';
}

// Narrow for "%S", "%hs", "%hS" (and the characters alike); wide otherwise.
bool IsNarrow(const Directive& d) {
    if (d.size == Size::Short)
        return true;
    if (d.size == Size::Long)
        return false;
    return d.conversion == u'S' || d.conversion == u'C';
}

// [SECTION] Output

class Out {
public:
    Out(char16_t* buffer, int size) : buffer_(buffer), room_(size > 0 ? size - 1 : 0) {}
    void Put(char16_t c) {
        if (count_ < room_)
            buffer_[count_++] = c;
    }
    void Repeat(char16_t c, int n) {
        n = std::min(n, room_ - count_);
        for (int i = 0; i < n; ++i)
            buffer_[count_++] = c;
    }
    void PutAscii(const char* text, int n) {
        for (int i = 0; i < n && count_ < room_; ++i)
            buffer_[count_++] = static_cast<unsigned char>(text[i]);
    }
    void PutWide(const char16_t* text, int n) {
        n = std::min(n, room_ - count_);
        std::memcpy(buffer_ + count_, text, n * sizeof(char16_t));
        count_ += n;
    }
    int Finish() {
        buffer_[count_] = 0;
        return count_;
    }
    bool Full() const { return count_ >= room_; }

private:
    char16_t* buffer_;
    int room_;
    int count_ = 0;
};

// [SECTION] Fields

// Sign or radix prefix, then zeros, then the ASCII body, padded to the width.
void PutNumber(Out& out, const Directive& d, const char* prefix, int zeros, const char* body,
               int bodyLength) {
    const int prefixLength = static_cast<int>(std::strlen(prefix));
    int padding = d.width - prefixLength - zeros - bodyLength;
    if (!d.left && d.zero && d.precision < 0 && padding > 0)
        zeros += padding, padding = 0;
    if (!d.left)
        out.Repeat(u' ', padding);
    out.PutAscii(prefix, prefixLength);
    out.Repeat(u'0', zeros);
    out.PutAscii(body, bodyLength);
    if (d.left)
        out.Repeat(u' ', padding);
}

std::uint64_t ReadUnsigned(const Directive& d, Args& args) {
    switch (d.size) {
    case Size::Int64: return va_arg(args.ap, std::uint64_t);
    case Size::PtrSize: return va_arg(args.ap, std::uintptr_t);
    case Size::Short: return static_cast<std::uint16_t>(va_arg(args.ap, unsigned));
    default: return va_arg(args.ap, std::uint32_t);
    }
}

std::int64_t ReadSigned(const Directive& d, Args& args) {
    switch (d.size) {
    case Size::Int64: return va_arg(args.ap, std::int64_t);
    case Size::PtrSize: return va_arg(args.ap, std::intptr_t);
    case Size::Short: return static_cast<std::int16_t>(va_arg(args.ap, int));
    default: return va_arg(args.ap, std::int32_t);
    }
}

int Digits(std::uint64_t value, int base, bool upper, char* end) {
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    int n = 0;
    while (value) {
        *--end = digits[value % base];
        value /= base;
        ++n;
    }
    return n;
}

void PutInteger(Out& out, const Directive& d, Args& args) {
    const char16_t c = d.conversion;
    const bool isSigned = c == u'd' || c == u'i';
    std::uint64_t magnitude;
    const char* prefix = "";
    if (isSigned) {
        const std::int64_t value = ReadSigned(d, args);
        magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : value;
        prefix = value < 0 ? "-" : d.plus ? "+" : d.blank ? " " : "";
    } else {
        magnitude = ReadUnsigned(d, args);
    }
    const int base = c == u'o' ? 8 : (c == u'x' || c == u'X') ? 16 : 10;
    char buffer[24];
    char* end = buffer + sizeof buffer;
    const int n = Digits(magnitude, base, c == u'X', end);
    int zeros = std::max(d.precision, 1) - n;
    if (d.precision == 0 && magnitude == 0)
        zeros = 0;
    if (d.alternate && base == 16 && magnitude != 0)
        prefix = c == u'X' ? "0X" : "0x";
    if (d.alternate && base == 8 && zeros <= 0)
        zeros = 1;
    PutNumber(out, d, prefix, std::max(zeros, 0), end - n, n);
}

// Pointers print as all their hexadecimal digits in upper case.
void PutPointer(Out& out, const Directive& d, Args& args) {
    const auto value = reinterpret_cast<std::uintptr_t>(va_arg(args.ap, void*));
    char buffer[24];
    char* end = buffer + sizeof buffer;
    const int n = Digits(value, 16, true, end);
    PutNumber(out, d, "", static_cast<int>(2 * sizeof(void*)) - n, end - n, n);
}

void PutFloat(Out& out, const Directive& d, Args& args) {
    const double value = va_arg(args.ap, double);
    char cformat[16];
    std::snprintf(cformat, sizeof cformat, "%%%s%s%s.*%c", d.plus ? "+" : "", d.blank ? " " : "",
                  d.alternate ? "#" : "", static_cast<char>(d.conversion));
    const int precision = d.precision < 0 ? 6 : std::min(d.precision, 8192);
    char small[400];
    const int length = std::snprintf(small, sizeof small, cformat, precision, value);
    if (length < 0)
        return;
    char* text = small;
    if (length >= static_cast<int>(sizeof small)) {
        text = static_cast<char*>(std::malloc(length + 1));
        if (!text)
            return;
        std::snprintf(text, length + 1, cformat, precision, value);
    }
    const bool sign = text[0] == '-' || text[0] == '+' || text[0] == ' ';
    const bool finite = text[sign] >= '0' && text[sign] <= '9';
    Directive field = d;
    field.zero = d.zero && finite;
    field.precision = -1;
    const char prefix[2] = {sign ? text[0] : '\0', '\0'};
    PutNumber(out, field, prefix, 0, text + sign, length - sign);
    if (text != small)
        std::free(text);
}

void PutText(Out& out, const Directive& d, const char16_t* text, int length) {
    const int padding = d.width - length;
    if (!d.left)
        out.Repeat(d.zero ? u'0' : u' ', padding);
    out.PutWide(text, length);
    if (d.left)
        out.Repeat(u' ', padding);
}

int WideLength(const char16_t* text, int limit) {
    int n = 0;
    while (n < limit && text[n])
        ++n;
    return n;
}

int NarrowLength(const char* text, int limit) {
    int n = 0;
    while (n < limit && text[n])
        ++n;
    return n;
}

void PutNarrowText(Out& out, const Directive& d, const char* text) {
    const int limit = d.precision < 0 ? INT32_MAX - 1 : d.precision;
    const int bytes = NarrowLength(text, limit);
    char16_t small[256];
    char16_t* wide = bytes < 256 ? small
                                 : static_cast<char16_t*>(std::malloc((bytes + 1) * sizeof(char16_t)));
    if (!wide)
        return;
    int length = bytes ? MultiByteToWideChar(CP_ACP, 0, text, bytes, wide, bytes) : 0;
    PutText(out, d, wide, std::max(length, 0));
    if (wide != small)
        std::free(wide);
}

char16_t WidenCharacter(char narrow) {
    char16_t wide = u'?';
    MultiByteToWideChar(CP_ACP, 0, &narrow, 1, &wide, 1);
    return wide;
}

void PutCharacter(Out& out, const Directive& d, Args& args) {
    const int value = va_arg(args.ap, int);
    const char16_t c = IsNarrow(d) ? WidenCharacter(static_cast<char>(value))
                                   : static_cast<char16_t>(value);
    Directive field = d;
    field.precision = -1;
    PutText(out, field, &c, 1);
}

void PutString(Out& out, const Directive& d, Args& args) {
    const void* text = va_arg(args.ap, const void*);
    if (!text) {
        PutText(out, d, u"(null)", d.precision < 0 ? 6 : std::min(d.precision, 6));
    } else if (IsNarrow(d)) {
        PutNarrowText(out, d, static_cast<const char*>(text));
    } else {
        const int limit = d.precision < 0 ? INT32_MAX : d.precision;
        PutText(out, d, static_cast<const char16_t*>(text),
                WideLength(static_cast<const char16_t*>(text), limit));
    }
}

void PutDirective(Out& out, const Directive& d, Args& args) {
    const char16_t c = d.conversion;
    if (IsInteger(c))
        PutInteger(out, d, args);
    else if (c == u'p')
        PutPointer(out, d, args);
    else if (IsFloat(c))
        PutFloat(out, d, args);
    else if (c == u'c' || c == u'C')
        PutCharacter(out, d, args);
    else if (c == u's' || c == u'S')
        PutString(out, d, args);
    else if (c == u'n')
        (void)va_arg(args.ap, void*);
    else if (c)
        out.Put(c);
}

// [SECTION] Estimate

std::int64_t EstimateText(const Directive& d, Args& args) {
    const void* text = va_arg(args.ap, const void*);
    const int limit = d.precision < 0 ? INT32_MAX : d.precision;
    std::int64_t count = 6;
    if (text && IsNarrow(d))
        count = std::max(NarrowLength(static_cast<const char*>(text), limit), 1);
    else if (text)
        count = std::max(WideLength(static_cast<const char16_t*>(text), limit), 1);
    if (d.precision >= 0)
        count = std::min<std::int64_t>(count, d.precision);
    return std::max<std::int64_t>(count, d.width);
}

std::int64_t EstimateDirective(const Directive& d, Args& args) {
    const char16_t c = d.conversion;
    const std::int64_t precision = std::max(d.precision, 0);
    if (c == u'c' || c == u'C') {
        (void)va_arg(args.ap, int);
        return std::max(2, d.width);
    }
    if (c == u's' || c == u'S')
        return EstimateText(d, args);
    if (IsInteger(c) || c == u'p') {
        if (c == u'p')
            (void)va_arg(args.ap, void*);
        else
            (void)ReadUnsigned(d, args);
        return std::max<std::int64_t>(32, d.width + precision);
    }
    if (IsFloat(c)) {
        (void)va_arg(args.ap, double);
        if (c != u'f')
            return std::max<std::int64_t>(128, d.width + precision);
        const std::int64_t digits = d.precision < 0 ? 6 : precision;
        return std::max<std::int64_t>({128, 312 + digits, d.width + digits});
    }
    if (c == u'n') {
        (void)va_arg(args.ap, void*);
        return 0;
    }
    return c ? 1 : 0;
}

} // namespace

int KIVFormatter::EstimateLength(const char16_t* format, va_list source) {
    if (!format)
        return 0;
    Args args(source);
    std::int64_t total = 0;
    for (const char16_t* p = format; *p && total < kMaxEstimate;) {
        if (*p != u'%') {
            ++total, ++p;
            continue;
        }
        ++p;
        if (*p == u'%') {
            ++total, ++p;
            continue;
        }
        const Directive d = ReadDirective(p, args);
        total += 2 * d.alternate + EstimateDirective(d, args);
    }
    return static_cast<int>(std::min<std::int64_t>(total, kMaxEstimate));
}

// [SECTION] Format

int KIVFormatter::Format(char16_t* buffer, int size, const char16_t* format, va_list source) {
    if (!buffer || size <= 0)
        return 0;
    Out out(buffer, size);
    if (!format)
        return out.Finish();
    Args args(source);
    for (const char16_t* p = format; *p && !out.Full();) {
        if (*p != u'%') {
            out.Put(*p++);
            continue;
        }
        ++p;
        if (*p == u'%') {
            out.Put(*p++);
            continue;
        }
        const Directive d = ReadDirective(p, args);
        PutDirective(out, d, args);
    }
    return out.Finish();
}
