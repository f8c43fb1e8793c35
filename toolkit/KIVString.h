// KIVString: the one text type of the toolkit. 16-bit wide characters
// (UTF-16), one buffer shared by copies through an atomic reference count,
// copied before a change (copy on write), conversions to and from the
// machine's ANSI code page, and printf-style formatting with the Microsoft
// wide conventions ("%s" wide, "%S" narrow). Buffers of up to 512 characters
// come from four block pools (KIVStringPool); the empty text is one static
// buffer shared by every empty value.
#pragma once

#include <cstdarg>
#include <cstdint>

struct KIVStringData {
    std::int32_t refs;     // values that point at this buffer (atomic)
    std::int32_t length;   // characters in use, terminator not counted
    std::int32_t capacity; // characters that fit, terminator not counted
    char16_t* Chars() { return reinterpret_cast<char16_t*>(this + 1); }
};
static_assert(sizeof(KIVStringData) == 12, "buffer header is three 32-bit fields");

class KIVString {
public:
    KIVString();
    KIVString(const KIVString& other);
    KIVString(const char* narrow);
    KIVString(const char16_t* wide);
    KIVString(char16_t ch, int count);
    ~KIVString();

    KIVString& operator=(const KIVString& other);
    KIVString& operator=(const char16_t* wide);
    KIVString& operator=(const char* narrow);

    int GetLength() const { return Data()->length; }
    bool IsEmpty() const { return Data()->length == 0; }
    operator const char16_t*() const { return chars_; }
    char16_t GetAt(int index) const { return chars_[index]; }

    int Find(char ch, int start = 0) const;
    int ReverseFind(char ch) const;
    int Find(const char16_t* text, int start = 0) const;
    KIVString Mid(int first, int count) const;
    KIVString Mid(int first) const;
    KIVString Left(int count) const;
    KIVString Right(int count) const;
    bool operator==(const KIVString& other) const;
    bool operator==(const char16_t* text) const;
    bool operator!=(const char16_t* text) const { return !(*this == text); }
    int CompareNoCase(const char16_t* text) const;
    bool ToNarrow(char* buffer, int size) const;

    KIVString& operator+=(const KIVString& other);
    KIVString& operator+=(const char16_t* text);
    // One character into a private buffer with room is the common case of
    // building a text, so it is handled inline.
    KIVString& operator+=(char16_t ch) {
        KIVStringData* data = MutableData();
        if (__atomic_load_n(&data->refs, __ATOMIC_ACQUIRE) <= 1) {
            const int length = data->length;
            if (length < data->capacity) {
                char16_t* chars = data->Chars();
                chars[length] = ch;
                chars[length + 1] = 0;
                data->length = length + 1;
                return *this;
            }
        }
        return AppendSlow(ch);
    }
    KIVString& operator+=(char ch);
    friend KIVString operator+(const KIVString& a, const KIVString& b);
    friend KIVString operator+(const KIVString& a, const char16_t* b);
    friend KIVString operator+(char16_t ch, const KIVString& s);
    friend KIVString operator+(char ch, const KIVString& s);

    int Insert(int index, char16_t ch);
    int Insert(int index, const char16_t* text);
    int Delete(int index, int count = 1);
    void MakeLower();
    void Empty();
    char16_t* GetBuffer(int minLength);
    void ReleaseBuffer();
    int Format(const char16_t* format, ...);
    int FormatV(const char16_t* format, va_list args);

    // The buffer header, for tests of sharing and capacity classes.
    const KIVStringData* Data() const { return reinterpret_cast<const KIVStringData*>(chars_) - 1; }

private:
    explicit KIVString(KIVStringData* data) : chars_(data->Chars()) {}
    KIVStringData* MutableData() { return reinterpret_cast<KIVStringData*>(chars_) - 1; }

    // Buffer management: a buffer for n characters (count 1, length n), the
    // shared empty buffer (counted), and the release of one hold.
    static KIVStringData* Allocate(int n);
    static KIVStringData* TakeEmpty();
    static void Release(KIVStringData* data);
    static bool IsShared(const KIVStringData* data);
    static KIVString Concat(const char16_t* a, int na, const char16_t* b, int nb);

    // Makes the buffer private with room for at least need characters,
    // keeping the text (need 0: the length).
    void MakePrivate(int need);
    void AssignCopy(const char16_t* text, int n);
    void AssignNarrow(const char* narrow);
    void ConvertNarrow(const char* narrow, int bytes);
    void AppendCopy(const char16_t* text, int k);
    KIVString& AppendSlow(char16_t ch);
    int InsertCopy(int index, const char16_t* text, int k);
    void ToNarrowByCharacter(char* buffer, int size) const;

    char16_t* chars_;
};
