// Conversions between the toolkit's wide text and the machine's ANSI code page
// for the narrow platform calls, into fixed-size buffers that are never
// written past.
#pragma once

// Converts wide text, terminator included, into buffer (size bytes). Returns
// false, leaving an empty text, when the converted text does not fit: a text
// that is handed on (a path, a command line) must not be shortened silently.
// A null text converts to an empty one.
bool KIVNarrowFromWide(const char16_t* text, char* buffer, int size);

// Converts narrow ANSI text into buffer (size wide characters), cut and
// terminated when it does not fit. Returns the characters stored, terminator
// not counted. Nothing is written when size is not positive.
int KIVWideFromNarrow(const char* text, char16_t* buffer, int size);

// A wide argument converted for a narrow call. Ok() is false, with the last
// error ERROR_FILENAME_EXCED_RANGE, when it does not fit; Get() is null for a
// null argument, as the narrow function expects.
template <int Size> class KIVNarrowArgument {
public:
    explicit KIVNarrowArgument(const char16_t* text);
    bool Ok() const { return ok_; }
    const char* Get() const { return null_ ? nullptr : text_; }
    char* Mutable() { return text_; }

private:
    char text_[Size];
    bool ok_;
    bool null_;
};

void KIVSetTooLongError();

template <int Size>
KIVNarrowArgument<Size>::KIVNarrowArgument(const char16_t* text)
    : ok_(KIVNarrowFromWide(text, text_, Size)), null_(text == nullptr) {
    if (!ok_)
        KIVSetTooLongError();
}

using KIVNarrowPath = KIVNarrowArgument<260>;
