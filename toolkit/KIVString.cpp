// [SECTION] Buffers: allocation by capacity class, the shared empty buffer, release
// [SECTION] Construction and assignment
// [SECTION] Queries
// [SECTION] Narrow conversion
// [SECTION] Changes
// [SECTION] Formatting
#include "toolkit/KIVString.h"

#include "platform/WinBase.h"
#include "toolkit/KIVFormatter.h"
#include "toolkit/KIVStringPool.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <string_view>

namespace {

// [SECTION] Buffers

struct EmptyBuffer {
    KIVStringData header;
    char16_t terminator;
};
// The one empty text. Its count starts at 0 and becomes 1 (a hold that is
// never released) the first time a value takes it; the buffer is never freed.
constinit EmptyBuffer g_empty = {{0, 0, 0}, 0};

int WideLength(const char16_t* text) {
    return text ? static_cast<int>(std::char_traits<char16_t>::length(text)) : 0;
}

void CopyChars(char16_t* to, const char16_t* from, int n) {
    if (n > 0)
        std::memmove(to, from, static_cast<std::size_t>(n) * sizeof(char16_t));
}

[[noreturn]] void OutOfMemory() {
    std::fputs("KIVString: out of memory\n", stderr);
    std::abort();
}

// Lengths of texts are ints; a sum that does not fit cannot be allocated.
int CheckedSum(int a, int b) {
    if (static_cast<long long>(a) + b > INT_MAX - 64)
        OutOfMemory();
    return a + b;
}

int NarrowLength(const char* text) {
    return text ? static_cast<int>(std::min<std::size_t>(std::strlen(text), INT_MAX - 64)) : 0;
}

char16_t Widen(char ch) { return static_cast<unsigned char>(ch); }

} // namespace

KIVStringData* KIVString::TakeEmpty() {
    std::int32_t* refs = &g_empty.header.refs;
    if (__atomic_load_n(refs, __ATOMIC_RELAXED) == 0) {
        std::int32_t unset = 0;
        __atomic_compare_exchange_n(refs, &unset, 1, false, __ATOMIC_RELAXED, __ATOMIC_RELAXED);
    }
    __atomic_add_fetch(refs, 1, __ATOMIC_RELAXED);
    return &g_empty.header;
}

KIVStringData* KIVString::Allocate(int n) {
    if (n <= 0)
        return TakeEmpty();
    const int capacity = KIVStringPool::ClassCapacity(n);
    void* block;
    if (KIVStringPool* pool = KIVStringPool::ForCapacity(capacity))
        block = pool->Allocate();
    else
        block = std::malloc(sizeof(KIVStringData) + (static_cast<std::size_t>(capacity) + 1) * sizeof(char16_t));
    if (!block)
        OutOfMemory();
    auto* data = static_cast<KIVStringData*>(block);
    __atomic_store_n(&data->refs, 1, __ATOMIC_RELAXED);
    data->length = n;
    data->capacity = capacity;
    data->Chars()[n] = 0;
    return data;
}

void KIVString::Release(KIVStringData* data) {
    // After the pools have freed their chunks at exit, a late value must not
    // touch its buffer; the process is ending and frees everything anyway.
    if (!data || KIVStringPool::Closed())
        return;
    if (__atomic_sub_fetch(&data->refs, 1, __ATOMIC_ACQ_REL) > 0 || data == &g_empty.header)
        return;
    if (KIVStringPool* pool = KIVStringPool::ForCapacity(data->capacity))
        pool->Free(data);
    else
        std::free(data);
}

bool KIVString::IsShared(const KIVStringData* data) {
    return __atomic_load_n(&data->refs, __ATOMIC_ACQUIRE) > 1;
}

void KIVString::MakePrivate(int need) {
    KIVStringData* old = MutableData();
    if (!IsShared(old) && old->capacity >= need)
        return;
    const int length = old->length;
    const int size = std::max(need, length);
    if (size == 0)
        return; // an empty value stays on the shared empty buffer and writes nothing
    KIVStringData* data = Allocate(size);
    CopyChars(data->Chars(), chars_, length + 1);
    data->length = length;
    Release(old);
    chars_ = data->Chars();
}

// [SECTION] Construction and assignment

KIVString::KIVString() : chars_(TakeEmpty()->Chars()) {}

KIVString::KIVString(const KIVString& other) : chars_(other.chars_) {
    __atomic_add_fetch(&MutableData()->refs, 1, __ATOMIC_RELAXED);
}

KIVString::KIVString(const char* narrow) : chars_(nullptr) {
    const int bytes = NarrowLength(narrow);
    chars_ = Allocate(bytes)->Chars();
    ConvertNarrow(narrow, bytes);
}

KIVString::KIVString(const char16_t* wide) : chars_(nullptr) {
    const int n = WideLength(wide);
    KIVStringData* data = Allocate(n);
    CopyChars(data->Chars(), wide, n);
    chars_ = data->Chars();
}

KIVString::KIVString(char16_t ch, int count) : chars_(Allocate(count)->Chars()) {
    std::fill(chars_, chars_ + std::max(count, 0), ch);
}

KIVString::~KIVString() {
    if (chars_)
        Release(MutableData());
}

KIVString& KIVString::operator=(const KIVString& other) {
    if (chars_ != other.chars_) {
        KIVString copy(other);
        std::swap(chars_, copy.chars_);
    }
    return *this;
}

KIVString& KIVString::operator=(const char16_t* wide) {
    AssignCopy(wide, WideLength(wide));
    return *this;
}

KIVString& KIVString::operator=(const char* narrow) {
    AssignNarrow(narrow);
    return *this;
}

// Reuses the buffer when it is private and large enough; the text may lie in it.
void KIVString::AssignCopy(const char16_t* text, int n) {
    KIVStringData* old = MutableData();
    if (IsShared(old) || old->capacity < n) {
        KIVStringData* data = Allocate(n);
        CopyChars(data->Chars(), text, n);
        Release(old);
        chars_ = data->Chars();
        return;
    }
    CopyChars(chars_, text, n);
    old->length = n;
    chars_[n] = 0;
}

// The narrow text's byte length bounds its wide length, so the buffer is
// sized for the bytes and the length set to what the conversion produced.
void KIVString::AssignNarrow(const char* narrow) {
    const int bytes = NarrowLength(narrow);
    KIVStringData* old = MutableData();
    if (bytes == 0) {
        AssignCopy(nullptr, 0);
        return;
    }
    if (IsShared(old) || old->capacity < bytes) {
        KIVStringData* data = Allocate(bytes);
        Release(old);
        chars_ = data->Chars();
    }
    ConvertNarrow(narrow, bytes);
}

// Converts bytes of narrow text into the private buffer, which has room for them.
void KIVString::ConvertNarrow(const char* narrow, int bytes) {
    if (bytes <= 0)
        return;
    const int converted = MultiByteToWideChar(CP_ACP, 0, narrow, bytes, chars_, bytes);
    MutableData()->length = std::max(converted, 0);
    chars_[GetLength()] = 0;
}

// [SECTION] Queries

int KIVString::Find(char ch, int start) const {
    start = std::max(start, 0);
    const char16_t wide = Widen(ch);
    for (int i = start; i < GetLength(); ++i) {
        if (chars_[i] == wide)
            return i;
    }
    return -1;
}

int KIVString::ReverseFind(char ch) const {
    const char16_t wide = Widen(ch);
    for (int i = GetLength() - 1; i >= 0; --i) {
        if (chars_[i] == wide)
            return i;
    }
    return -1;
}

int KIVString::Find(const char16_t* text, int start) const {
    start = std::max(start, 0);
    if (start > GetLength())
        return -1;
    const std::u16string_view self(chars_, GetLength());
    const std::size_t at = self.find(std::u16string_view(text ? text : u""), start);
    return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}

KIVString KIVString::Mid(int first, int count) const {
    first = std::max(first, 0);
    count = std::max(count, 0);
    const int length = GetLength();
    if (first > length)
        return KIVString();
    count = std::min(count, length - first);
    if (first == 0 && count == length)
        return *this;
    return Concat(chars_ + first, count, nullptr, 0);
}

KIVString KIVString::Mid(int first) const { return Mid(first, GetLength() - std::max(first, 0)); }

KIVString KIVString::Left(int count) const { return Mid(0, count); }

KIVString KIVString::Right(int count) const {
    count = std::clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

bool KIVString::operator==(const KIVString& other) const {
    if (chars_ == other.chars_)
        return true;
    return GetLength() == other.GetLength() &&
           std::memcmp(chars_, other.chars_, GetLength() * sizeof(char16_t)) == 0;
}

bool KIVString::operator==(const char16_t* text) const {
    if (!text)
        return IsEmpty();
    for (int i = 0; i < GetLength(); ++i) {
        if (text[i] != chars_[i])
            return false;
    }
    return text[GetLength()] == 0;
}

// Folds each code unit with towlower, so the current C locale decides which
// letters fold (only A to Z in the default locale).
int KIVString::CompareNoCase(const char16_t* text) const {
    if (!text)
        text = u"";
    for (int i = 0;; ++i) {
        const int a = static_cast<int>(std::towlower(chars_[i]));
        const int b = static_cast<int>(std::towlower(text[i]));
        if (a != b)
            return a - b;
        if (a == 0)
            return 0;
    }
}

// [SECTION] Narrow conversion

bool KIVString::ToNarrow(char* buffer, int size) const {
    if (!buffer || size <= 0)
        return false;
    if (WideCharToMultiByte(CP_ACP, 0, chars_, -1, buffer, size, nullptr, nullptr) > 0) {
        buffer[size - 1] = 0;
        return true;
    }
    ToNarrowByCharacter(buffer, size);
    return false;
}

// The longest prefix of whole characters that fits, so that a double-byte
// character or a surrogate pair is never cut in half.
void KIVString::ToNarrowByCharacter(char* buffer, int size) const {
    int used = 0;
    for (int i = 0; i < GetLength();) {
        const bool pair = chars_[i] >= 0xD800 && chars_[i] < 0xDC00 && chars_[i + 1] >= 0xDC00 &&
                          chars_[i + 1] < 0xE000;
        const int units = pair ? 2 : 1;
        const int room = size - 1 - used;
        if (room <= 0)
            break;
        const int written =
            WideCharToMultiByte(CP_ACP, 0, chars_ + i, units, buffer + used, room, nullptr, nullptr);
        if (written <= 0 || written > room)
            break;
        used += written;
        i += units;
    }
    buffer[used] = 0;
    buffer[size - 1] = 0;
}

// [SECTION] Changes

KIVString KIVString::Concat(const char16_t* a, int na, const char16_t* b, int nb) {
    KIVStringData* data = Allocate(CheckedSum(na, nb));
    if (data->length > 0) {
        CopyChars(data->Chars(), a, na);
        CopyChars(data->Chars() + na, b, nb);
    }
    return KIVString(data);
}

// In place when the buffer is private and large enough; otherwise into a new
// buffer of the class of the new length, so a growing text climbs the classes.
void KIVString::AppendCopy(const char16_t* text, int k) {
    if (k <= 0)
        return;
    KIVStringData* old = MutableData();
    const int length = old->length;
    const int total = CheckedSum(length, k);
    if (!IsShared(old) && total <= old->capacity) {
        CopyChars(chars_ + length, text, k);
        old->length = total;
        chars_[total] = 0;
        return;
    }
    KIVStringData* data = Allocate(total);
    CopyChars(data->Chars(), chars_, length);
    CopyChars(data->Chars() + length, text, k);
    Release(old);
    chars_ = data->Chars();
}

KIVString& KIVString::operator+=(const KIVString& other) {
    AppendCopy(other.chars_, other.GetLength());
    return *this;
}

KIVString& KIVString::operator+=(const char16_t* text) {
    AppendCopy(text, WideLength(text));
    return *this;
}

KIVString& KIVString::AppendSlow(char16_t ch) {
    AppendCopy(&ch, 1);
    return *this;
}

KIVString& KIVString::operator+=(char ch) { return *this += Widen(ch); }

KIVString operator+(const KIVString& a, const KIVString& b) {
    return KIVString::Concat(a.chars_, a.GetLength(), b.chars_, b.GetLength());
}

KIVString operator+(const KIVString& a, const char16_t* b) {
    return KIVString::Concat(a.chars_, a.GetLength(), b, WideLength(b));
}

KIVString operator+(char16_t ch, const KIVString& s) {
    return KIVString::Concat(&ch, 1, s.chars_, s.GetLength());
}

KIVString operator+(char ch, const KIVString& s) { return Widen(ch) + s; }

int KIVString::InsertCopy(int index, const char16_t* text, int k) {
    const int length = GetLength();
    if (k <= 0)
        return length;
    index = std::clamp(index, 0, length);
    const int total = CheckedSum(length, k);
    KIVStringData* old = MutableData();
    if (IsShared(old) || old->capacity < total) {
        KIVStringData* data = Allocate(total);
        CopyChars(data->Chars(), chars_, index);
        CopyChars(data->Chars() + index, text, k);
        CopyChars(data->Chars() + index + k, chars_ + index, length - index);
        Release(old);
        chars_ = data->Chars();
        return total;
    }
    CopyChars(chars_ + index + k, chars_ + index, length - index + 1);
    CopyChars(chars_ + index, text, k);
    old->length = total;
    return total;
}

int KIVString::Insert(int index, char16_t ch) { return InsertCopy(index, &ch, 1); }

int KIVString::Insert(int index, const char16_t* text) {
    // Text taken from this value's own buffer would move under the shift.
    const auto at = reinterpret_cast<std::uintptr_t>(text);
    const auto begin = reinterpret_cast<std::uintptr_t>(chars_);
    if (at >= begin && at <= begin + Data()->capacity * sizeof(char16_t)) {
        const KIVString copy(text);
        return InsertCopy(index, copy.chars_, copy.GetLength());
    }
    return InsertCopy(index, text, WideLength(text));
}

// A count reaching past the end removes up to the end.
int KIVString::Delete(int index, int count) {
    const int before = GetLength();
    index = std::max(index, 0);
    if (count <= 0 || index >= before)
        return before;
    count = std::min(count, before - index);
    MakePrivate(0);
    CopyChars(chars_ + index, chars_ + index + count, before - index - count + 1);
    MutableData()->length = before - count;
    return before;
}

void KIVString::MakeLower() {
    MakePrivate(0);
    for (int i = 0; i < GetLength(); ++i) {
        const std::wint_t lower = std::towlower(chars_[i]);
        if (lower <= 0xFFFF)
            chars_[i] = static_cast<char16_t>(lower);
    }
}

void KIVString::Empty() {
    if (IsEmpty())
        return;
    Release(MutableData());
    chars_ = TakeEmpty()->Chars();
}

// The shared empty buffer has no room at all, so even GetBuffer(0) on an
// empty value gets a private block to write its terminator into.
char16_t* KIVString::GetBuffer(int minLength) {
    MakePrivate(std::max({minLength, GetLength(), 1}));
    return chars_;
}

// The length is searched within the capacity; a text written without a
// terminator is cut at the capacity.
void KIVString::ReleaseBuffer() {
    MakePrivate(0);
    KIVStringData* data = MutableData();
    if (data == &g_empty.header)
        return;
    int length = 0;
    while (length < data->capacity && chars_[length])
        ++length;
    chars_[length] = 0;
    data->length = length;
}

// [SECTION] Formatting

int KIVString::Format(const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int length = FormatV(format, args);
    va_end(args);
    return length;
}

// The text is formatted into a new buffer, so that an argument that is this
// value's own text stays valid while it is read.
int KIVString::FormatV(const char16_t* format, va_list args) {
    va_list estimateArgs;
    va_copy(estimateArgs, args);
    const int estimate = KIVFormatter::EstimateLength(format, estimateArgs);
    va_end(estimateArgs);
    KIVString result;
    char16_t* out = result.GetBuffer(estimate);
    KIVFormatter::Format(out, result.Data()->capacity + 1, format, args);
    result.ReleaseBuffer();
    std::swap(chars_, result.chars_);
    return GetLength();
}
